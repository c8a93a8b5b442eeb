#include "audio/karaoke_files.h"

#include <gtest/gtest.h>

#include "audio/binding.h"
#include "audio/script_converter.h"
#include "base/working_folder.h"
#include "support/test_support.h"

namespace orvane {
namespace {

TEST(KaraokeFiles, AddedWithTheDefaultLookAndParsedWithTheirOwnSizeAndScript) {
    testing::TempDir dir;
    const fs::path file = dir.path() / "甜蜜蜜.ksc";
    testing::writeFile(file, "karaoke.add('00:01.000', '00:02.000', '国语', '100,100');\n");
    ProjectModel model;
    addKaraokeFiles(model, {toQString(file)});
    ASSERT_EQ(model.karaoke.size(), 1u);
    const KaraokeEntry& e = model.karaoke.at(0);
    EXPECT_EQ(
        rowToTexts(e, karaokeFields()),
        (QStringList{"1", QStringLiteral("甜蜜蜜"), "clWhite", "clBlue", QStringLiteral("黑体"),
                     "25", "T", "F", "F", toQString(file), "16777215", "16711680", "jianti"}));

    model.karaoke.at(0).script = KaraokeScript::Traditional;
    model.karaoke.at(0).fontSize = 40;
    ScriptConverter converter;
    auto doc = parseKaraokeRow(model, 0, converter);
    ASSERT_TRUE(doc.has_value());
    EXPECT_EQ(doc->fontSize, 96);
    EXPECT_EQ(doc->lines.at(0).processed, QStringLiteral("國語"));

    model.karaoke.at(0).location = toQString(dir.path() / "gone.ksc");
    auto gone = parseKaraokeRow(model, 0, converter);
    ASSERT_FALSE(gone.has_value());
    EXPECT_TRUE(gone.error().message.contains(QStringLiteral("gone.ksc")));
}

TEST(KaraokeFiles, LyricKindDecidesWhatTheAlbumDraws) {
    ProjectModel model;
    const struct {
        bool karaoke;
        const char* kind;
        bool lrc;
        bool ksc;
    } cases[] = {
        {false, "shiyong_ksc", true, false},
        {true, "shiyong_lrc", true, false},
        {true, "shiyong_ksc", false, true},
        {true, "shiyong_lrcksc", true, true},
    };
    for (const auto& c : cases) {
        model.karaoke.clear();
        if (c.karaoke) addKaraokeFiles(model, {QStringLiteral("/x.ksc")});
        model.settings.lyricKind = enumFromLegacy<LyricKind>(QLatin1String(c.kind)).value();
        EXPECT_EQ(albumDrawsLrc(model), c.lrc) << c.kind;
        EXPECT_EQ(albumDrawsKaraoke(model), c.ksc) << c.kind;
    }
    EXPECT_FALSE(albumAsksLyricKind(model));
    model.music.append(MusicEntry{});
    EXPECT_TRUE(albumAsksLyricKind(model));
}

TEST(KaraokeFiles, BoundLyricRowFollowsTheKeyNotThePosition) {
    ProjectModel model;
    MediaPanes panes;
    for (int i = 0; i < 2; ++i) {
        model.music.append(MusicEntry{});
        model.lyrics.append(LyricEntry{});
    }
    EXPECT_EQ(boundLyricRow(model, 0), -1);  // "wu" never matches "wu"
    ASSERT_TRUE(bindSongManually(model, panes, 0, 1).has_value());
    EXPECT_EQ(boundLyricRow(model, 0), 1);
    EXPECT_EQ(boundLyricRow(model, 1), -1);
}

}  // namespace
}  // namespace orvane
