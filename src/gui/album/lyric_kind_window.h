#pragma once
// LyricKindWindow "歌词类型选择": asked before an album with songs, LRC and karaoke
// lyrics is made, which lyrics it shows. Every showing starts at
// "两种歌词都使用"; each choice is written to the session at once; "确定"
// lets the make go on, the close control (or Esc) cancels it. GUI thread.

#include "gui/shell/settings_dialog.h"

namespace orvane {

class LyricKindWindow : public SettingsDialog {
    Q_OBJECT
   public:
    LyricKindWindow(Session& session, const Skin& skin, QWidget* parent = nullptr);

    // Resets the choice to both kinds and shows the window modally; true
    // when the user chose "确定".
    bool askLyricKind();
};

}  // namespace orvane
