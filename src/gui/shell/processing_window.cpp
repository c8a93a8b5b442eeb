#include "gui/shell/processing_window.h"

namespace orvane {

ProcessingWindow::ProcessingWindow(const Skin& skin, QWidget* parent)
    : JobProgressWindow(
          {.window = QStringLiteral("TForm35"), .caption = QStringLiteral("正在处理...")}, skin,
          parent) {}

}  // namespace orvane
