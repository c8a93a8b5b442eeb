#pragma once
// The main window's information commands, answered in the message window:
// "软件简介" (what the program does), "帮助文件" (how to make an album),
// "网站模板" (where new templates go; the program has no web page to open)
// and "歌词制作" (an LRC editor is not part of the program yet: how to make
// an LRC file by hand). GUI thread.

namespace orvane {

class Session;
class WindowSet;

void connectInfoCommands(Session& session, WindowSet& windows);

}  // namespace orvane
