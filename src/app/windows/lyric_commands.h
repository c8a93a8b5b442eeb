#pragma once
// The lyric, music, karaoke and single-template preview windows, and the
// commands that open them: the lyric side panel's "歌词设置", "歌词预览" and
// "卡拉OK设置", the music side panel's "音乐预览", the photo side panel's
// "预览单个相片模板效果", and a double-click in a
// pane (a photo: its template preview; a song: the music preview; a lyric:
// the lyric preview). GUI thread.

namespace orvane {

class MediaBrowser;
class Session;
class TForm1;
class TForm8;
class TForm16;
class TForm28;
class TForm29;
class TForm34;
class TForm46;
class TForm47;
class TForm48;
class TForm51;
class WindowSet;

// The windows, made by the window set in its creation order.
struct LyricWindows {
    TForm16* lyricSettings = nullptr;
    TForm28* musicPreview = nullptr;
    TForm29* lyricPreview = nullptr;
    TForm34* templatePreview = nullptr;
    TForm46* karaokeEditor = nullptr;
    TForm47* karaokeInit = nullptr;
    TForm48* karaokeStyle = nullptr;
    TForm51* karaokeMatch = nullptr;
};

void connectLyricCommands(WindowSet& windows, Session& session, const LyricWindows& lyric);

}  // namespace orvane
