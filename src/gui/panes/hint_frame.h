#pragma once
// The frame the hint windows share: borderless, never taking a click, in the
// hint colour, with rounded corners.

#include <QSize>
#include <QString>

class QWidget;

namespace orvane {

void makeHintFrame(QWidget* w, const QString& name, const QString& caption, QSize size);
void roundCorners(QWidget* w);

}  // namespace orvane
