#include "gui/shell/processing_window.h"

namespace orvane {

TForm35::TForm35(const Skin& skin, QWidget* parent)
    : JobProgressWindow(
          {.window = QStringLiteral("TForm35"), .caption = QStringLiteral("正在处理...")}, skin,
          parent) {}

}  // namespace orvane
