#pragma once
// OtherSettingsWindow "其它设置": the TV system, the picture quality and how photos
// without a slot size of their own are cropped on import. Every choice is
// written to the session at once; the buttons show the session's settings
// whenever the window is shown. GUI thread only.

#include "gui/shell/settings_dialog.h"

namespace orvane {

class OtherSettingsWindow : public SettingsDialog {
    Q_OBJECT
   public:
    OtherSettingsWindow(Session& session, const Skin& skin, QWidget* parent = nullptr);

   protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace orvane
