#include <gtest/gtest.h>

#include <QFontMetrics>

#include "audio/lyric_style.h"
#include "base/album_time.h"

namespace orvane {
namespace {

TEST(TimeText, SongDurationsDropTheMillisecondsFirst) {
    const struct {
        std::int64_t ms;
        const char* duration;
        const char* frames;
    } cases[] = {
        {59999, "00:00:59", "1475"},     {205900, "00:03:25", "5125"},
        {3600000, "00:60:00", "90000"},  {6000000, "00:100:00", "150000"},
        {4530000, "00:75:30", "113250"}, {0, "00:00:00", "0"},
        {999, "00:00:00", "0"},
    };
    for (const auto& c : cases) {
        const SongDuration d = songDuration(c.ms);
        EXPECT_EQ(d.duration, QString::fromLatin1(c.duration)) << c.ms;
        EXPECT_EQ(d.frameCount, QString::fromLatin1(c.frames)) << c.ms;
    }
}

TEST(TimeText, ClockTextsWrapMinutesAndFramesTruncate) {
    EXPECT_EQ(clockText(65), QStringLiteral("01:05"));
    EXPECT_EQ(clockText(3600 + 61), QStringLiteral("01:01"));
    EXPECT_EQ(clockText(-1), QStringLiteral("00:0-1"));
    EXPECT_EQ(frameClockText(24), QStringLiteral("00:00"));
    EXPECT_EQ(frameClockText(25), QStringLiteral("00:01"));
    EXPECT_EQ(frameClockText(-24), QStringLiteral("00:00"));
    EXPECT_EQ(frameClockText(5000), QStringLiteral("03:20"));
}

LyricEntry lyric(const char* h, const char* v, const char* size = "10") {
    LyricEntry l;
    l.hAlign = enumFromLegacy<LyricHAlign>(QLatin1String(h)).value();
    l.vAlign = enumFromLegacy<LyricVAlign>(QLatin1String(v)).value();
    l.fontSize = QByteArray(size).toInt();
    l.bold = true;
    return l;
}

TEST(LyricStyle, SizeScalesWithTheAreaWidth) {
    EXPECT_EQ(lyricFontSize(lyric("juzhong", "xiamian"), 679), 13);
    EXPECT_EQ(lyricFontSize(lyric("juzhong", "xiamian"), 1920), 37);
    EXPECT_EQ(lyricFontSize(lyric("juzhong", "xiamian", "40"), 513), 40);
    LyricEntry styled = lyric("juzhong", "xiamian");
    styled.italic = true;
    styled.underline = false;
    const QFont font = lyricFont(styled, 1920);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_EQ(font.family(), QStringLiteral("黑体"));
    EXPECT_EQ(colorFromValue(QStringLiteral("16711680")), QColor(0, 0, 255));
}

TEST(LyricStyle, PlacementTable) {
    const QSize area(679, 390);
    const QSize label(100, 20);
    const struct {
        LyricHAlign h;
        LyricVAlign v;
        QPoint at;
    } cases[] = {
        {LyricHAlign::Left, LyricVAlign::Top, {10, 10}},
        {LyricHAlign::Centre, LyricVAlign::Middle, {289, 185}},
        {LyricHAlign::Right, LyricVAlign::Bottom, {569, 360}},
        {LyricHAlign::Unset, LyricVAlign::Bottom, {7, 360}},  // no alignment keeps the position
        {LyricHAlign::Left, LyricVAlign::Unset, {10, 8}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeLyricLabel(c.h, c.v, area, label, QPoint(7, 8)), c.at)
            << legacyText(c.h).toStdString() << " " << legacyText(c.v).toStdString();
    // A label wider than its area is cut on both sides.
    EXPECT_EQ(placeLyricLabel(LyricHAlign::Centre, LyricVAlign::Bottom, area, QSize(801, 20)).x(),
              -61);
}

TEST(LyricStyle, LabelIsSizedToItsTextAndPlaced) {
    const LyricEntry l = lyric("youbian", "xiamian");
    const LyricLabel label = styleLyricLabel(l, QStringLiteral("甜蜜蜜"), QSize(1920, 1080), 1920);
    const QFontMetrics metrics(label.font);
    EXPECT_EQ(label.rect.width(), metrics.horizontalAdvance(QStringLiteral("甜蜜蜜")));
    EXPECT_EQ(label.rect.right() + 1, 1920 - 10);
    EXPECT_EQ(label.rect.bottom() + 1, 1080 - 10);
    EXPECT_EQ(label.color, QColor(Qt::white));
}

}  // namespace
}  // namespace orvane
