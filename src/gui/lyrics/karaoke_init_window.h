#pragma once
// KaraokeInitWindow "卡拉OK设置": the short window every opening of the karaoke editor
// runs first ("卡拉OK设置初始化......"). It starts by itself a moment after it
// appears, prepares the editor (its rows placed as the project says, its
// labels cleared, its song list filled; on the first opening of the run the
// timer calibration is started) and closes. GUI thread.

#include "gui/shell/framed_window.h"

namespace orvane {

class KaraokeEditorWindow;

class KaraokeInitWindow : public FramedWindow {
    Q_OBJECT
   public:
    explicit KaraokeInitWindow(const Skin& skin, QWidget* parent = nullptr);

    // Shows the window modally until `editor` is prepared.
    void initialise(KaraokeEditorWindow& editor);
};

}  // namespace orvane
