#include "base/project_model.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "support/test_support.h"

using namespace orvane;

TEST(Table, AppendWritesCountAndRemovalRenumbers) {
    Table<MusicEntry> music;
    for (const char* name : {"a", "b", "c"}) {
        MusicEntry song;
        song.fileName = QString::fromLatin1(name);
        music.append(song);
    }
    EXPECT_EQ(music.at(2).index, "3");
    music.removeAt(1);
    ASSERT_EQ(music.size(), 2u);
    EXPECT_EQ(music.at(0).index, "1");
    EXPECT_EQ(music.at(1).index, "2");
    EXPECT_EQ(music.at(1).fileName, "c");

    MusicEntry inserted;
    inserted.fileName = QStringLiteral("x");
    music.insert(0, inserted);
    EXPECT_EQ(rowToTexts(music.at(0), musicFields()).first(2), (QStringList{"1", "x"}));
    EXPECT_EQ(music.at(2).index, "3");

    music.removeIf([](const MusicEntry& s) { return s.fileName != "c"; });
    ASSERT_EQ(music.size(), 1u);
    EXPECT_EQ(music.at(0).index, "1");
}

TEST(Table, RowsWithoutIndexAreLeftAlone) {
    Table<TextEffect> texts;
    TextEffect t;
    t.text = QStringLiteral("你好");
    texts.append(t);
    texts.append(t);
    texts.removeAt(0);
    EXPECT_EQ(texts.at(0).text, "你好");
}

TEST(ProjectModel, CaptionsAreTheDocumentedOnes) {
    const QStringList photo = fieldCaptions(photoFields());
    EXPECT_EQ(photo.size(), 22);
    EXPECT_EQ(photo.first(), "序号");
    EXPECT_EQ(photo[6], "竖照or横照");
    EXPECT_EQ(photo[19], "模板swf总帧数");
    EXPECT_EQ(photo.last(), "jiancai_wancheng");
    EXPECT_EQ(fieldCaptions(photoWorkingFields()).last(), "模板swf总帧数");

    EXPECT_EQ(fieldCaptions(catalogueFields()),
              (QStringList{"模板类型", "模板分类", "相片数量", "相片宽度", "相片高度", "竖照横照",
                           "相片JPG名称", "位置", "分类标注", "序号", "模板swf总帧数"}));
    const QStringList classified = fieldCaptions(classifiedTemplateFields());
    EXPECT_EQ(classified.mid(10), (QStringList{"横照几张", "竖照几张", "模板swf总帧数"}));
    EXPECT_EQ(fieldCaptions(musicFields()),
              (QStringList{"序号", "音乐文件名", "类型", "位置", "音乐时间", "需要帧数", "绑定歌词",
                           "绑定歌词名称"}));
    EXPECT_EQ(fieldCaptions(karaokeFields()).last(), "简体或繁体");
    EXPECT_EQ(fieldCaptions(textEffectFields()).size(), 15);
    EXPECT_EQ(fieldCaptions(pictureEffectFields()),
              (QStringList{"帧数", "开始时间", "结束时间", "启动", "图片装饰特效", "顺序号",
                           "显示位置"}));
}

TEST(ProjectModel, NewRowsCarryTheDocumentedDefaults) {
    EXPECT_EQ(
        rowToTexts(LyricEntry{}, lyricFields()).mid(4),
        (QStringList{"wu", "wu", "clWhite", "16777215", "10", "黑体", "wu", "wu", "wu", "", ""}));
    EXPECT_EQ(rowToTexts(KaraokeEntry{}, karaokeFields()).mid(2),
              (QStringList{"clWhite", "clBlue", "黑体", "25", "T", "F", "F", "", "16777215",
                           "16711680", "jianti"}));
    EXPECT_EQ(MusicEntry{}.boundLyric, "wu");
    EXPECT_EQ(PhotoEntry{}.cropState, PhotoStep::Pending);

    ProjectModel model;
    EXPECT_EQ(model.templateInstanceCount, "0");
    EXPECT_EQ(model.settings.outputType, OutputType::Dvd);
    EXPECT_EQ(model.settings.ext.ext7, ".bmp");
}

TEST(ProjectModel, TextRowsRoundTrip) {
    LyricEntry lyric;
    lyric.fileName = QStringLiteral("月亮代表我的心");
    lyric.bold = true;
    const QStringList texts = rowToTexts(lyric, lyricFields());
    const LyricEntry back = rowFromTexts(texts, lyricFields());
    EXPECT_EQ(rowToTexts(back, lyricFields()), texts);
    // A short row leaves the remaining fields at their defaults.
    EXPECT_EQ(rowFromTexts(QStringList{"1", "x"}, lyricFields()).colorName, "clWhite");
}

TEST(ProjectModel, BindingNeedsEqualKeysOtherThanWu) {
    MusicEntry song;
    LyricEntry lyric;
    EXPECT_FALSE(isBound(song, lyric));  // both "wu"
    song.boundLyric = lyric.boundMusic = QStringLiteral("2026-12-10 11:00:00 1");
    EXPECT_TRUE(isBound(song, lyric));
    lyric.boundMusic = QStringLiteral("2026-12-10 11:00:00 2");
    EXPECT_FALSE(isBound(song, lyric));
}

TEST(ProjectModel, OrientationAndNumbers) {
    EXPECT_EQ(photoOrientationFor(800, 800), "heng_zhao");
    EXPECT_EQ(photoOrientationFor(801, 800), "heng_zhao");
    EXPECT_EQ(photoOrientationFor(799, 800), "shu_zhao");
    EXPECT_EQ(fieldToInt(QStringLiteral("-1"), "x"), -1);
    EXPECT_THROW(fieldToInt(QStringLiteral("wu"), "x"), OrvaneError);
}
