#pragma once
// DefaultButton: the "默认" button beside a group of settings; a click puts
// the group back to its default choice (the window connects what that is).
// Its accessible name is its caption and its description names the group it
// resets, so the several "默认" buttons of a window can be told apart.
// GUI thread.

#include "gui/shell/command_button.h"

namespace orvane {

class DefaultButton : public CommandButton {
    Q_OBJECT
   public:
    // `group` is the caption of the settings it resets ("歌词颜色").
    DefaultButton(const QString& group, const QString& objectName, QWidget* parent = nullptr);

    static QString caption();
};

}  // namespace orvane
