#include "gui/shell/window_drag.h"

#include <QWidget>
#include <QWindow>
#include <memory>
#include <optional>

#include "gui/shell/skin_picture.h"

namespace orvane {

void makeDragHandle(SkinPicture* handle, QWidget* window) {
    // The offset of the press from the window's corner while following.
    auto grab = std::make_shared<std::optional<QPoint>>();
    QObject::connect(handle, &SkinPicture::pressed, window, [=](QPoint global) {
        grab->reset();
        QWindow* w = window->windowHandle();
        if (w && w->startSystemMove()) return;
        *grab = global - window->frameGeometry().topLeft();
    });
    QObject::connect(handle, &SkinPicture::moved, window, [=](QPoint global) {
        if (*grab) window->move(global - **grab);
    });
    QObject::connect(handle, &SkinPicture::released, window, [=](bool) { grab->reset(); });
}

}  // namespace orvane
