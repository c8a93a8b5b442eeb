#pragma once
// Moving a frameless window by a piece of its title bar. GUI thread.

class QWidget;

namespace orvane {

class SkinPicture;

// A left press on `handle` moves `window`: through the window system's own
// move when it offers one, else by following the mouse.
void makeDragHandle(SkinPicture* handle, QWidget* window);

}  // namespace orvane
