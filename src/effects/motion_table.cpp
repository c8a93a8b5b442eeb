#include "effects/motion_table.h"

#include <array>

namespace orvane {

std::vector<MotionRow> motionTable(int areaWidth, int areaHeight) {
    const QString zero = QStringLiteral("0");
    const QString halfWidth = QString::number(areaWidth / 2);
    const QString halfHeight = QString::number(areaHeight / 2);
    return {
        {QStringLiteral("左上向右下"), kMotionTopLeftToBottomRight, zero, zero},
        {QStringLiteral("从左向右"), kMotionLeftToRight, zero, halfWidth},
        {QStringLiteral("从上向下"), kMotionTopToBottom, halfHeight, zero},
        {QStringLiteral("从右向左"), kMotionRightToLeft, zero, halfWidth},
        {QStringLiteral("从左下到右上"), kMotionBottomLeftToTopRight, zero, zero},
        {QStringLiteral("从右上到左下"), kMotionTopRightToBottomLeft, zero, zero},
        {QStringLiteral("从右下到左上"), kMotionBottomRightToTopLeft, zero, zero},
    };
}

bool isMotionKey(const QString& key) {
    for (const MotionRow& row : motionTable())
        if (row.motionKey == key) return true;
    return false;
}

namespace {

struct NamedMotion {
    const char* name;
    int row;
};

// Rows: 0 ↘, 1 →, 2 ↓, 3 ←, 4 ↗, 5 ↙, 6 ↖. No motion goes straight up, so the
// upward names take the diagonal that starts on their side.
constexpr std::array<NamedMotion, 30> kNamedMotions = {{
    {"从左上向右下", 0},           {"从左下到右下", 1},           {"从右下到左下", 3},
    {"从左下到右上", 4},           {"从右上到左下", 5},           {"从右下到左上", 6},
    {"从居中上向左下", 5},         {"从居中上向右下", 0},         {"从居中下向左上", 6},
    {"从居中下向右上", 4},         {"从居中上向居中下", 2},       {"从居中下向居中上", 4},
    {"从1/3左上向1/3左下(竖)", 2}, {"从1/3左下向1/3左上(竖)", 4}, {"从1/3右上向1/3右下(竖)", 2},
    {"从1/3右下向1/3右上(竖)", 6}, {"从1/2上向1/2下(竖)", 2},     {"从1/2下向1/2上(竖)", 4},
    {"从1/3左上向1/3右上(横)", 1}, {"从1/3左下向1/3右下(横)", 1}, {"从1/3右上向1/3左上(横)", 3},
    {"从1/3右下向1/3左下(横)", 3}, {"从1/2左向1/2右(横)", 1},     {"从1/2右向1/2左(横)", 3},
    {"从居中左向右下", 0},         {"从居中左向右上", 4},         {"从居中右向左下", 5},
    {"从居中右向左上", 6},         {"从居中左向居中右", 1},       {"从居中右向居中左", 3},
}};

}  // namespace

const QStringList& effectNameList() {
    static const QStringList names = [] {
        QStringList out;
        for (const NamedMotion& m : kNamedMotions) out << QString::fromUtf8(m.name);
        return out;
    }();
    return names;
}

int motionRowForEffectName(const QString& effectName) {
    const int i = static_cast<int>(effectNameList().indexOf(effectName));
    return i < 0 ? -1 : kNamedMotions[static_cast<std::size_t>(i)].row;
}

}  // namespace orvane
