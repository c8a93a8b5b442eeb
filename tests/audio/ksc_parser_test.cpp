#include "audio/ksc_parser.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "audio/script_converter.h"
#include "base/text_decoding.h"
#include "base/working_folder.h"
#include "support/test_support.h"

namespace orvane {
namespace {

QString addLine(const char* start, const char* end, const char* text, const char* durations) {
    return QStringLiteral("karaoke.add('%1', '%2', '%3', '%4');")
        .arg(QString::fromUtf8(start), QString::fromUtf8(end), QString::fromUtf8(text),
             QString::fromUtf8(durations));
}

TEST(KscParser, FramesRoundHalfToEven) {
    const struct {
        int ms;
        int frames;
    } cases[] = {{20, 0}, {60, 2}, {100, 2}, {140, 4}, {39, 1}, {41, 1}, {500, 12}, {540, 14}};
    for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.ms, 40), c.frames) << c.ms;
}

TEST(KscParser, UnitsAreCharactersAndBracketGroups) {
    EXPECT_EQ(kscUnits(QStringLiteral("你好[hello]")),
              (QStringList{QStringLiteral("你"), QStringLiteral("好"), QStringLiteral("hello")}));
    EXPECT_EQ(kscUnits(QStringLiteral("a [b c]d")), (QStringList{"a", " ", "b c", "d"}));
    // An unterminated group runs to the end of the line.
    EXPECT_EQ(kscUnits(QStringLiteral("你[hel")), (QStringList{QStringLiteral("你"), "hel"}));
}

TEST(KscParser, LineTableTimesRowsAndUnits) {
    ScriptConverter converter;
    const KscDocument doc = parseKsc(
        {
            QStringLiteral("// a comment"),
            addLine("00:12.345", "00:15.678", "你好[hello]", "500,600,20"),
            QStringLiteral(
                "  karaoke.add('00:20.000', '00:21.000', 'x', '40'); // indented: ignored"),
            addLine("00:00.500", "00:02.000", "早", "100"),
            addLine("01:59.000", "02:03.000", "晚", "140"),
        },
        {60, QStringLiteral("jianti")}, converter);
    ASSERT_EQ(doc.lines.size(), 3u);
    EXPECT_TRUE(doc.skipped.empty());

    const KscLine& first = doc.lines[0];
    EXPECT_EQ(first.fileLine, 2);
    EXPECT_EQ(first.appear, QStringLiteral("00:11"));
    EXPECT_EQ(first.sweep, QStringLiteral("00:12"));
    EXPECT_EQ(first.hide, QStringLiteral("00:16"));
    EXPECT_EQ(first.row, QStringLiteral("A"));
    EXPECT_EQ(first.processed, QStringLiteral("你好hello"));
    ASSERT_EQ(first.units.size(), 3u);

    const QFontMetrics metrics(kscMeasuringFont(60));
    int cumulative = 0;
    const int frames[] = {12, 15, 0};
    for (std::size_t k = 0; k < 3; ++k) {
        const KscUnit& u = first.units[k];
        EXPECT_EQ(u.frames, frames[k]);
        EXPECT_EQ(u.width, metrics.horizontalAdvance(u.text));
        EXPECT_GT(u.width, 20);
        cumulative += u.width;
        EXPECT_EQ(u.cumulativeWidth, cumulative);
        // A 20 ms unit has 0 frames and advances its whole width in one.
        EXPECT_EQ(u.advance, roundHalfEven(u.width, std::max(1, u.frames)));
    }
    EXPECT_EQ(first.units[2].advance, first.units[2].width);

    // Within the first second the appear time is one no clock shows.
    EXPECT_EQ(doc.lines[1].appear, QStringLiteral("00:0-1"));
    EXPECT_EQ(doc.lines[1].row, QStringLiteral("B"));
    EXPECT_EQ(doc.lines[2].appear, QStringLiteral("01:58"));
    EXPECT_EQ(doc.lines[2].hide, QStringLiteral("02:04"));
    EXPECT_EQ(doc.lines[2].row, QStringLiteral("A"));
}

TEST(KscParser, BadLinesAreSkippedWithTheirLineNumber) {
    ScriptConverter converter;
    const KscDocument doc = parseKsc(
        {
            addLine("00:01.000", "00:02.000", "一", "100"),
            QStringLiteral("karaoke.add('00:03.000', '00:04.000', '二三');"),  // 3 fields
            addLine("00:05.000", "00:06.000", "四五", "100"),       // 1 duration, 2 units
            addLine("00:07.000", "00:08.000", "六", "abc"),         // not a number
            addLine("0:9.000", "00:10.000", "七", "100"),           // bad time
            addLine("00:11.000", "00:12.000", "八[九", "100,200"),  // unterminated bracket
        },
        {60, QStringLiteral("jianti")}, converter);
    ASSERT_EQ(doc.lines.size(), 2u);
    EXPECT_EQ(doc.lines[1].processed, QStringLiteral("八九"));
    EXPECT_EQ(doc.lines[1].row, QStringLiteral("B"));  // rows count the lines that were kept
    std::vector<int> skipped;
    for (const KscSkippedLine& s : doc.skipped) skipped.push_back(s.fileLine);
    EXPECT_EQ(skipped, (std::vector<int>{2, 3, 4, 5}));
}

TEST(KscParser, TimesOutOfRangeOrSignedAreSkippedWithAReason) {
    const char* badTimes[] = {"99:99.999", "-1:00.000", "00:-1.000", "+1:00.000",
                              "00:60.000", "0a:10.000", "00.10.000", "1:00"};
    ScriptConverter converter;
    for (const char* time : badTimes) {
        SCOPED_TRACE(time);
        const KscDocument asStart = parseKsc({addLine(time, "00:02.000", "一", "100")},
                                             {60, QStringLiteral("jianti")}, converter);
        const KscDocument asEnd = parseKsc({addLine("00:01.000", time, "一", "100")},
                                           {60, QStringLiteral("jianti")}, converter);
        for (const KscDocument* doc : {&asStart, &asEnd}) {
            EXPECT_TRUE(doc->lines.empty());
            ASSERT_EQ(doc->skipped.size(), 1u);
            EXPECT_TRUE(doc->skipped[0].reason.contains(QStringLiteral("MM:SS")));
        }
    }
    const KscDocument edge = parseKsc({addLine("99:59.999", "99:59.999", "一", "100")},
                                      {60, QStringLiteral("jianti")}, converter);
    EXPECT_EQ(edge.lines.size(), 1u);
}

TEST(KscParser, TablesGrowBeyondAHundredLinesAndUnits) {
    ScriptConverter converter;
    QStringList lines;
    const QString longText(150, QChar(0x554A));  // 150 units
    QStringList durations;
    for (int k = 0; k < 150; ++k) durations << QStringLiteral("80");
    for (int i = 0; i < 120; ++i)
        lines << QStringLiteral("karaoke.add('%1:%2.000', '%1:%3.000', '%4', '%5');")
                     .arg(i / 30, 2, 10, QLatin1Char('0'))
                     .arg(i % 30 * 2, 2, 10, QLatin1Char('0'))
                     .arg(i % 30 * 2 + 1, 2, 10, QLatin1Char('0'))
                     .arg(i == 110 ? longText : QStringLiteral("啊"))
                     .arg(i == 110 ? durations.join(',') : QStringLiteral("80"));
    const KscDocument doc = parseKsc(lines, {60, QStringLiteral("jianti")}, converter);
    ASSERT_EQ(doc.lines.size(), 120u);
    EXPECT_EQ(doc.lines[110].units.size(), 150u);
    EXPECT_EQ(doc.lines[119].row, QStringLiteral("B"));
}

TEST(KscParser, ScriptConversionAndEncodings) {
    testing::TempDir dir;
    ScriptConverter converter;
    const QString content =
        QStringLiteral("karaoke.add('00:01.000', '00:02.000', '爱国[汉语]', '100,200,300');\r\n");
    const fs::path gbk = dir.path() / "歌.ksc";
    testing::writeFile(gbk, encodeGbk(content).toStdString());
    const fs::path utf16 = dir.path() / "utf16.ksc";
    testing::writeFile(
        utf16, (QByteArray("\xFF\xFE", 2) +
                QByteArray(reinterpret_cast<const char*>(content.utf16()), content.size() * 2))
                   .toStdString());
    for (const fs::path& file : {gbk, utf16}) {
        SCOPED_TRACE(file.string());
        auto fanti = parseKscFile(toQString(file), {60, QStringLiteral("fanti")}, converter);
        ASSERT_TRUE(fanti.has_value());
        ASSERT_EQ(fanti->lines.size(), 1u);
        EXPECT_EQ(fanti->lines[0].text, QStringLiteral("爱国[汉语]"));
        EXPECT_EQ(fanti->lines[0].processed, QStringLiteral("愛國漢語"));
        auto jianti = parseKscFile(toQString(file), {60, QStringLiteral("jianti")}, converter);
        ASSERT_TRUE(jianti.has_value());
        EXPECT_EQ(jianti->lines[0].processed, QStringLiteral("爱国汉语"));
    }
    EXPECT_EQ(converter.convert(QStringLiteral("愛國"), QStringLiteral("jianti")),
              QStringLiteral("爱国"));
}

TEST(KscParser, FontSizeScalesFromThePreviewPanel) {
    KaraokeEntry entry;
    EXPECT_EQ(karaokeFontSize(entry), 60);
    entry.fontSize = 10;
    EXPECT_EQ(karaokeFontSize(entry), 24);
    EXPECT_EQ(karaokeFontSize(entry, 800), 10);
}

}  // namespace
}  // namespace orvane
