#pragma once
// The main window's effect commands: "文字特效" opens the text-effect editor
// TextEffectWindow, "画面特效" the picture-effect editor, "相片剪裁" the crop window on
// the photo chosen in the photo pane, else the first (or says "没有添加相片文件！"
// when there is no photo). The two windows of
// the last commands are made here, once, owned by the main window. GUI thread.

namespace orvane {

class Session;
class WindowSet;

void connectEffectsCommands(Session& session, WindowSet& windows);

}  // namespace orvane
