#pragma once
// Controls shared by the lyric and karaoke settings windows: the colour box
// (the named colour list, each entry with its swatch and identifier), the
// font box (the system's faces, with the default "黑体" always offered), the
// size box ("10" … "40"), and the command buttons and captioned groups they
// sit in. GUI thread.

#include <QString>

class QComboBox;
class QGroupBox;
class QPushButton;
class QWidget;

namespace orvane {

QComboBox* makeColourBox(QWidget* parent, const QString& objectName);
// Selects the entry whose identifier is `name`; false (selection unchanged)
// when the list has none.
bool selectColour(QComboBox* box, const QString& name);
QString colourName(const QComboBox* box);
// The chosen colour's stored decimal value.
QString colourValue(const QComboBox* box);

QComboBox* makeFontBox(QWidget* parent, const QString& objectName);
// Selects `face`, adding it first when the system lacks it, so a stored face
// is never replaced by opening the window.
void selectFont(QComboBox* box, const QString& face);

// "10" … "40".
QComboBox* makeSizeBox(QWidget* parent, const QString& objectName);
bool selectSize(QComboBox* box, const QString& size);

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& caption);
QGroupBox* makeGroup(QWidget* parent, const QString& objectName, const QString& caption);

}  // namespace orvane
