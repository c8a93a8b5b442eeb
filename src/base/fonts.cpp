#include "base/fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace orvane {

void installFontSubstitutions() {
    const QStringList sans = {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK"),
                              QStringLiteral("Droid Sans Fallback")};
    const QStringList serif = {QStringLiteral("Noto Serif CJK SC"),
                               QStringLiteral("Noto Serif CJK"),
                               QStringLiteral("Noto Sans CJK SC")};
    // Sans faces: the black (hei) faces and the UI face; serif faces: song and
    // fang song faces.
    for (const char* name : {"黑体", "微软雅黑", "Microsoft YaHei", "SimHei", "楷体", "幼圆"})
        QFont::insertSubstitutions(QString::fromUtf8(name), sans);
    for (const char* name : {"宋体", "新宋体", "SimSun", "NSimSun", "仿宋"})
        QFont::insertSubstitutions(QString::fromUtf8(name), serif);
}

int pointsToPixels(int points) {
    const long long scaled = static_cast<long long>(points) * 96;
    return static_cast<int>(scaled >= 0 ? (scaled + 36) / 72 : (scaled - 36) / 72);
}

QFont styledFont(const QString& face, int points, bool bold, bool italic, bool underline) {
    QFont font(face);
    font.setPixelSize(std::max(1, pointsToPixels(points)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

}  // namespace orvane
