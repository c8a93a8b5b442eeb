#include "gui/window_style.h"

#include "gui/skin_painter.h"

namespace orvane {

QString windowStyleSheet() {
    using namespace skin_colours;
    const auto c = [](const QColor& colour) { return colour.name(); };
    return QStringLiteral(
               "QWidget { color: %1; font-size: 13px; }"
               "QPushButton { background: %2; border: 1px solid %3; border-radius: 3px;"
               " padding: 3px 10px; }"
               "QPushButton:hover { background: %4; border-color: %5; }"
               "QPushButton:pressed { background: %6; }"
               "QPushButton:focus { border-color: %5; }"
               "QPushButton:default { border-color: %7; }"
               "QProgressBar { background: %6; border: 1px solid %3; border-radius: 3px;"
               " text-align: center; height: 16px; }"
               "QProgressBar::chunk { background: %7; border-radius: 2px; }"
               // Lists (the panes' report views) on the dark ground.
               "QTreeView, QListView { background: %6; alternate-background-color: %2;"
               " border: 1px solid %3; selection-background-color: %7;"
               " selection-color: %1; }"
               "QHeaderView::section { background: %2; color: %1; border: none;"
               " border-right: 1px solid %3; padding: 3px 6px; }"
               // Text fields and the log, and the file dialogs the windows open.
               "QLineEdit, QComboBox, QPlainTextEdit, QTextEdit { background: %6;"
               " border: 1px solid %3; border-radius: 2px; padding: 2px;"
               " selection-background-color: %7; selection-color: %1; }"
               "QFileDialog { background: %2; }")
        .arg(c(kText), c(kBandTop), c(kBandTop.lighter(140)), c(kBandTop.lighter(125)), c(kAccent),
             c(kBandBottom), c(kAccent.darker(130)));
}

}  // namespace orvane
