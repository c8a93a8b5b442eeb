#pragma once
// Controls shared by the lyric and karaoke settings windows: the colour box
// (the named colour list, each entry with its swatch and identifier), the
// font box (the system's faces, with the default "黑体" always offered) and
// the size box ("10" … "40"). Each box takes the caption of the group it
// sits in as its accessible name. GUI thread.

#include <QMargins>
#include <QSize>
#include <QString>
#include <initializer_list>

class QBoxLayout;
class QComboBox;
class QWidget;

namespace orvane {

class ChoiceBox;
class DefaultButton;

ChoiceBox* makeColourBox(QWidget* parent, const QString& objectName, const QString& caption);
// Selects the entry whose identifier is `name`; false (selection unchanged)
// when the list has none.
bool selectColour(QComboBox* box, const QString& name);
QString colourName(const QComboBox* box);
// The chosen colour's stored decimal value.
QString colourValue(const QComboBox* box);

ChoiceBox* makeFontBox(QWidget* parent, const QString& objectName, const QString& caption);
// Selects `face`, adding it first when the system lacks it, so a stored face
// is never replaced by opening the window.
void selectFont(QComboBox* box, const QString& face);

// "10" … "40".
ChoiceBox* makeSizeBox(QWidget* parent, const QString& objectName, const QString& caption);
bool selectSize(QComboBox* box, const QString& size);

// In the window style a group's frame takes 3 px at the sides and bottom and
// its caption 21 px at the top; inside it the controls sit 10 px from the
// group's left edge and 22 px from its top, so a row of 26 px high controls
// makes the documented 56 px high group.
constexpr QMargins kGroupFrame(3, 21, 3, 3);
constexpr QMargins kGroupInside(10 - 3, 22 - 21, 10 - 3, 4);

// The look of a settings group: its least width, the least room between
// its controls and its "默认" button, and the margin right of that button.
struct SettingGroupLook {
    int width = 300;
    int defaultGap = 6;
    int rightMargin = 10;
};

// A control of a settings group with the least width it takes there.
struct SettingControl {
    QWidget* widget;
    int width = 0;
};

// Adds to `column` a group captioned `caption` (object name `groupName`)
// holding `controls` on one row, its "默认" button (`defaultName`) at the
// right; returns that button. Every part grows with its text.
DefaultButton* addSettingGroup(QBoxLayout* column, const SettingGroupLook& look,
                               const QString& groupName, const QString& caption,
                               const QString& defaultName,
                               std::initializer_list<SettingControl> controls);

// The lyric windows show a pointing hand over their push buttons.
void pointAtButtons(QWidget* window);

}  // namespace orvane
