#pragma once
// ShellWindow: a framed window with its name and caption and nothing else
// yet, for the windows whose controls come later. GUI thread.

#include "gui/shell/framed_window.h"

namespace orvane {

class ShellWindow : public FramedWindow {
    Q_OBJECT
   public:
    ShellWindow(const QString& objectName, const QString& caption, const Skin& skin,
                QWidget* parent = nullptr);
};

}  // namespace orvane
