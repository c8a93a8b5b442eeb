#include "gui/lyrics/lyric_controls.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPixmap>
#include <QPushButton>

#include "effects/text_colors.h"

namespace orvane {

QComboBox* makeColourBox(QWidget* parent, const QString& objectName) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
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

QComboBox* makeFontBox(QWidget* parent, const QString& objectName) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
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

QComboBox* makeSizeBox(QWidget* parent, const QString& objectName) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    for (int size = 10; size <= 40; ++size) box->addItem(QString::number(size));
    return box;
}

bool selectSize(QComboBox* box, const QString& size) {
    const int i = box->findText(size, Qt::MatchExactly);
    if (i < 0) return false;
    box->setCurrentIndex(i);
    return true;
}

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAccessibleName(caption.simplified());
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QGroupBox* makeGroup(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(objectName);
    return g;
}

}  // namespace orvane
