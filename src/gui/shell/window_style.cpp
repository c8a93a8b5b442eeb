#include "gui/shell/window_style.h"

#include "gui/shell/skin_painter.h"

namespace orvane {

namespace {

// Radio and check indicators: the platform draws them dark on dark; here a
// light ring (or box) on the field colour, filled with the accent when
// chosen.
QString choiceStyleSheet() {
    using namespace skin_colours;
    return QStringLiteral(
               "QRadioButton::indicator, QCheckBox::indicator { width: 13px; height: 13px;"
               " border: 1px solid %1; background: %2; }"
               "QRadioButton::indicator { border-radius: 7px; }"
               "QCheckBox::indicator { border-radius: 2px; }"
               "QRadioButton::indicator:hover, QCheckBox::indicator:hover { border-color: %3; }"
               "QRadioButton::indicator:checked { background: qradialgradient(cx:0.5, cy:0.5,"
               " radius:0.5, fx:0.5, fy:0.5, stop:0 %3, stop:0.5 %3, stop:0.6 %2, stop:1 %2); }"
               "QCheckBox::indicator:checked { background: %3; border-color: %3; }"
               "QRadioButton::indicator:disabled, QCheckBox::indicator:disabled {"
               " border-color: %4; }"
               "QRadioButton:disabled, QCheckBox:disabled { color: %4; }")
        .arg(kText.darker(115).name(), kBandBottom.name(), kAccent.name(),
             kTextDim.darker(140).name());
}

// Scroll bars of the lists and text fields in the skin's colours, both
// directions, without arrow buttons.
QString scrollBarStyleSheet() {
    using namespace skin_colours;
    return QStringLiteral(
               "QScrollBar:horizontal { background: %1; height: 12px; margin: 0px;"
               " border: none; }"
               "QScrollBar:vertical { background: %1; width: 12px; margin: 0px; border: none; }"
               "QScrollBar::handle { background: %2; border-radius: 4px; }"
               "QScrollBar::handle:horizontal { min-width: 24px; margin: 2px 0px; }"
               "QScrollBar::handle:vertical { min-height: 24px; margin: 0px 2px; }"
               "QScrollBar::handle:hover { background: %3; }"
               "QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px;"
               " border: none; background: none; }"
               "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"
               "QAbstractScrollArea::corner { background: %1; }")
        .arg(kBandBottom.name(), kBandTop.lighter(160).name(), kAccent.darker(115).name());
}

}  // namespace

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
               .arg(c(kText), c(kBandTop), c(kBandTop.lighter(140)), c(kBandTop.lighter(125)),
                    c(kAccent), c(kBandBottom), c(kAccent.darker(130))) +
           choiceStyleSheet() + scrollBarStyleSheet();
}

}  // namespace orvane
