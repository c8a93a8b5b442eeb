#include "browser/hint_texts.h"

namespace orvane {

QStringList photoHintTexts(const PhotoEntry& photo, int row) {
    QString orientation;
    if (photo.orientation == QLatin1String("heng_zhao")) orientation = QStringLiteral("横照相片");
    if (photo.orientation == QLatin1String("shu_zhao")) orientation = QStringLiteral("竖照相片");
    return {photo.fileName, photo.fileType.toUpper(), photo.width + QLatin1Char('*') + photo.height,
            orientation, QString::number(row + 1)};
}

QPoint paneHintPosition(QPoint cursor) { return {cursor.x() - 20, cursor.y() + 10}; }

QPoint textHintPosition(QPoint cursor, QSize window, QSize screen) {
    int left = cursor.x() - 20;
    if (left < 0) left = 8;
    if (left + window.width() > screen.width()) left = screen.width() - window.width() - 5;
    int top = cursor.y() + 10;
    if (top < 0) top = 8;
    if (top + window.height() > screen.height()) top = cursor.y() + 10 - window.height() - 12;
    return {left, top};
}

}  // namespace orvane
