#include "gui/shell/shell_window.h"

namespace orvane {

ShellWindow::ShellWindow(const QString& objectName, const QString& caption, const Skin& skin,
                         QWidget* parent)
    : FramedWindow(objectName, caption, skin, parent) {
    setContentSize(QSize(420, 260));
}

}  // namespace orvane
