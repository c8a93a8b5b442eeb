#include "gui/lyrics/lyric_controls.h"

#include <QBoxLayout>
#include <QFontDatabase>
#include <QGridLayout>
#include <QPixmap>
#include <QPushButton>

#include "effects/text_colors.h"
#include "gui/shell/captioned_group.h"
#include "gui/shell/choice_box.h"
#include "gui/shell/default_button.h"

namespace orvane {

namespace {

constexpr QSize kDefaultButtonSize(70, 26);
// A box is as wide as this many letters however long its entries are (the
// system's face names run long); the open list shows them whole.
constexpr int kShownLetters = 12;

ChoiceBox* settingBox(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* box = new ChoiceBox(caption, objectName, parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(kShownLetters);
    return box;
}

}  // namespace

ChoiceBox* makeColourBox(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* box = settingBox(parent, objectName, caption);
    box->setMaxVisibleItems(16);
    for (const NamedColor& c : textColorList()) {
        QPixmap swatch(14, 14);
        swatch.fill(colorForValue(c.value));
        box->addItem(QIcon(swatch), c.name, c.value);
    }
    return box;
}

bool selectColour(QComboBox* box, const QString& name) {
    const int i = box->findText(name, Qt::MatchFixedString);
    if (i < 0) return false;
    box->setCurrentIndex(i);
    return true;
}

QString colourName(const QComboBox* box) { return box->currentText(); }

QString colourValue(const QComboBox* box) { return QString::number(box->currentData().toInt()); }

ChoiceBox* makeFontBox(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* box = settingBox(parent, objectName, caption);
    box->setMaxVisibleItems(16);
    box->addItems(QFontDatabase::families());
    return box;
}

void selectFont(QComboBox* box, const QString& face) {
    int i = box->findText(face, Qt::MatchFixedString);
    if (i < 0) {
        box->insertItem(0, face);
        i = 0;
    }
    box->setCurrentIndex(i);
}

ChoiceBox* makeSizeBox(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* box = settingBox(parent, objectName, caption);
    for (int size = 10; size <= 40; ++size) box->addItem(QString::number(size));
    return box;
}

bool selectSize(QComboBox* box, const QString& size) {
    const int i = box->findText(size, Qt::MatchExactly);
    if (i < 0) return false;
    box->setCurrentIndex(i);
    return true;
}

DefaultButton* addSettingGroup(QBoxLayout* column, const SettingGroupLook& look,
                               const QString& groupName, const QString& caption,
                               const QString& defaultName,
                               std::initializer_list<SettingControl> controls) {
    auto* group = new CaptionedGroup(caption, groupName);
    column->addWidget(group);
    column->addStrut(look.width);
    auto* row = new QGridLayout(group);
    row->setContentsMargins(kGroupInside.left(), kGroupInside.top(),
                            look.rightMargin - kGroupFrame.right(), kGroupInside.bottom());
    row->setHorizontalSpacing(2);
    int at = 0;
    for (const SettingControl& c : controls) {
        row->addWidget(c.widget, 0, at);
        row->setColumnMinimumWidth(at, c.width);
        ++at;
    }
    // The controls sit together at the left, the "默认" button at the right,
    // at least `defaultGap` after them (empty columns take no spacing).
    row->setColumnStretch(at, 1);
    row->setColumnMinimumWidth(at++, look.defaultGap - row->horizontalSpacing());
    auto* reset = new DefaultButton(caption, defaultName, group);
    reset->setLeastSize(kDefaultButtonSize);
    row->addWidget(reset, 0, at);
    return reset;
}

void pointAtButtons(QWidget* window) {
    for (QPushButton* b : window->findChildren<QPushButton*>())
        b->setCursor(Qt::PointingHandCursor);
}

}  // namespace orvane
