#pragma once
// The commands that open the lyric, music and karaoke windows: the lyric side
// panel's "歌词设置", "歌词预览" and "卡拉OK设置", the music side panel's
// "音乐预览", and a double-click in a pane (a song: the music preview; a
// lyric: the lyric preview). GUI thread.

namespace orvane {

class Session;
struct LyricWindows;
class WindowSet;

void connectLyricCommands(WindowSet& windows, Session& session, const LyricWindows& lyric);

}  // namespace orvane
