#include "audio/lrc_parser.h"

#include <gtest/gtest.h>

#include <QStringEncoder>

#include "base/text_decoding.h"
#include "base/working_folder.h"
#include "support/test_support.h"

namespace orvane {
namespace {

std::vector<LrcRow> timeTable(const QStringList& lines) { return parseLrc(lines).timeTable; }

LrcRow row(const char* time, const char* text) {
    return {QString::fromUtf8(time), QString::fromUtf8(text)};
}

TEST(LrcParser, TagsAreReadRightToLeftAndIdRowsComeLast) {
    const std::vector<LrcRow> table = timeTable({
        "[ti:Song]",
        "[ar:Singer]",
        "[offset:300]",
        "[00:12.30][01:05.00]Hello",
        "[00:01.00]a[00:02.00]b",
        "[00:20.00]",
        "plain words without a tag",
        "",
        "[00:30.00]a line that ends in [x]",
        "[al:Album] ",
        "[00:40.00]你好世界",
    });
    const std::vector<LrcRow> expected = {
        row("00:00", ""),     row("01:05.00", "Hello"), row("00:12.30", "Hello"),
        row("00:02.00", "b"), row("00:01.00", "a"),     row("00:40.00", "你好世界"),
        row("ti", "Song"),    row("ar", "Singer"),      row("al", "Album"),
    };
    EXPECT_EQ(table, expected);
}

TEST(LrcParser, ThreeAdjacentTagsShareTheTextAndAStrayBracketIsText) {
    EXPECT_EQ(timeTable({"[00:01.00][00:02.00][00:03.00]x"}),
              (std::vector<LrcRow>{row("00:00", ""), row("00:03.00", "x"), row("00:02.00", "x"),
                                   row("00:01.00", "x")}));
    // A "[" with no "]" after it is no tag; the tag before it keeps it as text.
    EXPECT_EQ(timeTable({"[00:05.00]one [two"}),
              (std::vector<LrcRow>{row("00:00", ""), row("00:05.00", "one [two")}));
    // Only the "[…]" pairs count: text between tags goes with the tag before it.
    EXPECT_EQ(timeTable({"[00:01.00]a]b[00:02.00]c"}).size(), 3u);
}

TEST(LrcParser, FileWithoutTimedLinesGivesOnlyTheEmptyRowAndIds) {
    EXPECT_EQ(timeTable({}), (std::vector<LrcRow>{row("00:00", "")}));
    EXPECT_EQ(timeTable({"[by:Me]", "just text"}),
              (std::vector<LrcRow>{row("00:00", ""), row("by", "Me")}));
}

TEST(LrcParser, LookupTakesTheFirstRowBeginningWithTheClock) {
    const std::vector<LrcRow> table =
        timeTable({"[00:00.50]never shown", "[00:10.20]first", "[00:10.80]second", "[01:05.40]x"});
    const struct {
        const char* clock;
        const char* text;  // nullptr: no row
    } cases[] = {{"00:00", ""}, {"00:10", "first"}, {"01:05", "x"}, {"00:11", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clock);
        const LrcRow* found = lookupLrcLine(table, QString::fromLatin1(c.clock));
        if (!c.text) {
            EXPECT_EQ(found, nullptr);
        } else {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->text, QString::fromUtf8(c.text));
        }
    }
}

TEST(LrcParser, ReadsEveryEncodingAndCountsCharacters) {
    testing::TempDir dir;
    const QString content =
        QStringLiteral("[ti:甜蜜蜜]\r\n[00:01.00]甜蜜蜜[00:03.00]你笑得甜蜜蜜\r\n");
    const QByteArray utf8 = content.toUtf8();
    const QByteArray utf16le =
        QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringEncoder::Utf16LE).encode(content);
    const QByteArray utf16be =
        QByteArray("\xFE\xFF", 2) + QStringEncoder(QStringEncoder::Utf16BE).encode(content);
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {{"utf8.lrc", utf8},
                 {"bom.lrc", QByteArray("\xEF\xBB\xBF") + utf8},
                 {"le.lrc", utf16le},
                 {"be.lrc", utf16be},
                 {"gbk.lrc", encodeGbk(content)}};
    const std::vector<LrcRow> expected = {row("00:00", ""), row("00:03.00", "你笑得甜蜜蜜"),
                                          row("00:01.00", "甜蜜蜜"), row("ti", "甜蜜蜜")};
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const fs::path file = dir.path() / f.name;
        testing::writeFile(file, f.bytes.toStdString());
        auto tables = parseLrcFile(toQString(file));
        ASSERT_TRUE(tables.has_value());
        EXPECT_EQ(tables->timeTable, expected);
    }
    auto missing = parseLrcFile(toQString(dir.path() / "missing.lrc"));
    ASSERT_FALSE(missing.has_value());
    EXPECT_TRUE(missing.error().message.contains(QStringLiteral("missing.lrc")));
}

}  // namespace
}  // namespace orvane
