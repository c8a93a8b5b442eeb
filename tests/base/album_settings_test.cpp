#include "base/album_settings.h"

#include <gtest/gtest.h>

#include "base/project_model.h"
#include "support/test_support.h"

using namespace orvane;

TEST(AlbumSettings, SizeListsByOutputType) {
    const auto vcd = outputSizes(OutputType::Vcd);
    ASSERT_EQ(vcd.size(), 5u);
    EXPECT_EQ(outputSizeText(vcd.front()), "320 × 176");
    for (const char* type : {"SVCD", "DVD", "AVI", "XLTP"}) {
        const auto sizes = outputSizes(enumFromLegacy<OutputType>(QLatin1String(type)).value());
        ASSERT_EQ(sizes.size(), 8u) << type;
        EXPECT_EQ(outputSizeText(sizes[kDefaultOutputSizeIndex]), "1280 × 720") << type;
        EXPECT_EQ(outputSizeText(sizes.back()), "1920 × 1080") << type;
    }
    EXPECT_EQ(outputSizes(OutputType::Svcd)[5], (OutputSize{1440, 816}));
}

TEST(AlbumSettings, ChoosingASizeThenAnotherTypeFallsBackToTheDefault) {
    AlbumSettings s;
    s.outputType = OutputType::Dvd;
    ASSERT_TRUE(selectOutputSize(s, 6));
    EXPECT_EQ(QString::number(s.outputWidth) + "x" + QString::number(s.outputHeight), "1600x896");
    s.outputType = OutputType::Vcd;
    EXPECT_FALSE(selectOutputSize(s, 6));  // VCD has no seventh entry
    ASSERT_TRUE(selectOutputSize(s, kDefaultOutputSizeIndex));
    EXPECT_EQ(QString::number(s.outputWidth) + "x" + QString::number(s.outputHeight), "1280x720");
}

TEST(AlbumSettings, SummaryPanelTexts) {
    ProjectModel model;
    auto rows = summaryRows(model);
    ASSERT_EQ(rows.size(), 8u);
    QStringList lines;
    for (const auto& r : rows) lines << r.caption + r.value + r.unit;
    EXPECT_EQ(lines, (QStringList{"相片数量:0张", "音乐数量:0个", "歌词数量:0个",
                                  "画面质量:高清画质", "电视制式:PAL制式", "相册长度:相片为准",
                                  "文字特效:0个", "画面特效:0个"}));

    model.photos.append(PhotoEntry{});
    model.settings.quality = Quality::Normal;
    model.settings.tvSystem = TvSystem::Ntsc;
    model.settings.syncMode = SyncMode::Music;
    rows = summaryRows(model);
    EXPECT_EQ(rows[0].value, "1");
    EXPECT_EQ(rows[3].value, "一般画质");
    EXPECT_EQ(rows[4].value, "NTSC制式");
    EXPECT_EQ(rows[5].value, "音乐为准");
}

// A line reads caption, value and unit one space apart; a row without a
// unit ends with its value.
TEST(AlbumSettings, SummaryLineTexts) {
    ProjectModel model;
    model.photos.append(PhotoEntry{});
    model.photos.append(PhotoEntry{});
    model.music.append(MusicEntry{});
    QStringList lines;
    QStringList values;
    for (const SummaryRow& row : summaryRows(model)) {
        lines << summaryLineText(row);
        values << summaryValueText(row);
    }
    EXPECT_EQ(lines, (QStringList{"相片数量: 2 张", "音乐数量: 1 个", "歌词数量: 0 个",
                                  "画面质量: 高清画质", "电视制式: PAL制式", "相册长度: 相片为准",
                                  "文字特效: 0 个", "画面特效: 0 个"}));
    EXPECT_EQ(values[0], "2 张");
    EXPECT_EQ(values[3], "高清画质");
}

TEST(AlbumSettings, CropStyleCaptions) {
    AlbumSettings s;
    EXPECT_EQ(landscapeCropCaption(s.landscapeCrop), "横照片剪裁成全屏效果");
    EXPECT_EQ(portraitCropCaption(s.portraitCrop), "竖照片剪裁成局部放大效果");
    EXPECT_EQ(landscapeCropCaption(LandscapeCrop::TemplateDefault), "横照片剪裁成模板特效默认效果");
    EXPECT_EQ(portraitCropCaption(PortraitCrop::TemplateDefault), "竖照片使用模板特效默认效果");
}

TEST(AlbumSettings, EachOptionWritesItsValueAndDeselectsItsPartner) {
    struct Case {
        SettingsOption option;
        SettingsOption partner;
        const char* caption;
        QString (*field)(const AlbumSettings&);  // the value's table text; null for crop styles
        const char* value;
    };
    const auto syncText = [](const AlbumSettings& s) { return legacyText(s.syncMode); };
    const auto tvText = [](const AlbumSettings& s) { return legacyText(s.tvSystem); };
    const auto qualityText = [](const AlbumSettings& s) { return legacyText(s.quality); };
    const auto lyricKindText = [](const AlbumSettings& s) { return legacyText(s.lyricKind); };
    const Case cases[] = {
        {SettingsOption::PhotoLength, SettingsOption::MusicLength, "以相片时间长度为准", syncText,
         "sui_zhaopian_tongbu"},
        {SettingsOption::MusicLength, SettingsOption::PhotoLength, "以音乐时间长度为准", syncText,
         "sui_yinyue_tongbu"},
        {SettingsOption::Pal, SettingsOption::Ntsc, "PAL制式", tvText, "PAL"},
        {SettingsOption::Ntsc, SettingsOption::Pal, "NTSC制式", tvText, "NTSC"},
        {SettingsOption::NormalQuality, SettingsOption::HighQuality, "一般画质", qualityText,
         "yiban_huazhi"},
        {SettingsOption::HighQuality, SettingsOption::NormalQuality, "高清画质", qualityText,
         "gaoqing_huazhi"},
        {SettingsOption::LandscapeFullScreen, SettingsOption::LandscapeTemplateDefault,
         "横照片剪裁成全屏效果", nullptr, nullptr},
        {SettingsOption::LandscapeTemplateDefault, SettingsOption::LandscapeFullScreen,
         "横照片剪裁成模板特效默认效果", nullptr, nullptr},
        {SettingsOption::PortraitZoomedPart, SettingsOption::PortraitTemplateDefault,
         "竖照片剪裁成局部放大效果", nullptr, nullptr},
        {SettingsOption::PortraitTemplateDefault, SettingsOption::PortraitZoomedPart,
         "竖照片使用模板特效默认效果", nullptr, nullptr},
        {SettingsOption::LrcLyrics, SettingsOption::BothLyrics, "使用LRC歌词", lyricKindText,
         "shiyong_lrc"},
        {SettingsOption::KaraokeLyrics, SettingsOption::LrcLyrics, "使用卡拉OK歌词", lyricKindText,
         "shiyong_ksc"},
        {SettingsOption::BothLyrics, SettingsOption::KaraokeLyrics, "两种歌词都使用", lyricKindText,
         "shiyong_lrcksc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(optionCaption(c.option), QString::fromUtf8(c.caption));
        AlbumSettings s;
        chooseOption(s, c.partner);
        chooseOption(s, c.option);
        EXPECT_TRUE(isChosen(s, c.option));
        EXPECT_FALSE(isChosen(s, c.partner));
        if (c.field) {
            EXPECT_EQ(c.field(s), QString::fromUtf8(c.value));
        }
    }
}

TEST(AlbumSettings, DefaultsAreHighQualityPalPhotoLengthAndTheFullScreenAndZoomCrops) {
    const AlbumSettings s;
    for (auto option :
         {SettingsOption::PhotoLength, SettingsOption::Pal, SettingsOption::HighQuality,
          SettingsOption::LandscapeFullScreen, SettingsOption::PortraitZoomedPart})
        EXPECT_TRUE(isChosen(s, option)) << optionCaption(option).toStdString();
    EXPECT_FALSE(s.loopMusicToFill);
    EXPECT_FALSE(s.loopPicturesToFill);
}

TEST(AlbumSettings, CropStylesChangeOnlyTheCropStyle) {
    for (auto option :
         {SettingsOption::LandscapeFullScreen, SettingsOption::LandscapeTemplateDefault,
          SettingsOption::PortraitZoomedPart, SettingsOption::PortraitTemplateDefault}) {
        for (TvSystem tv : {TvSystem::Pal, TvSystem::Ntsc}) {
            AlbumSettings s;
            s.tvSystem = tv;
            AlbumSettings expected = s;
            chooseOption(s, option);
            expected.landscapeCrop = s.landscapeCrop;
            expected.portraitCrop = s.portraitCrop;
            EXPECT_EQ(s, expected)
                << optionCaption(option).toStdString() << " " << legacyText(tv).toStdString();
        }
    }
}

TEST(AlbumSettings, PhotoLengthClearsThePictureLoopOnly) {
    AlbumSettings s;
    EXPECT_FALSE(setLoopPicturesToFill(s, true));  // the album follows the photos
    EXPECT_FALSE(s.loopPicturesToFill);

    chooseOption(s, SettingsOption::MusicLength);
    ASSERT_TRUE(setLoopPicturesToFill(s, true));
    s.loopMusicToFill = true;
    chooseOption(s, SettingsOption::MusicLength);  // choosing it again keeps the loops
    EXPECT_TRUE(s.loopPicturesToFill);

    chooseOption(s, SettingsOption::PhotoLength);
    EXPECT_FALSE(s.loopPicturesToFill);
    EXPECT_TRUE(s.loopMusicToFill);
    EXPECT_FALSE(picturesCanLoop(s));

    chooseOption(s, SettingsOption::MusicLength);
    setLoopPicturesToFill(s, true);
    resetAlbumLength(s);
    EXPECT_EQ(s, AlbumSettings{});
}

TEST(AlbumSettings, AMakeCommandStartsFromTheDefaultSizeOfItsType) {
    AlbumSettings s;
    prepareOutputSize(s, OutputType::Dvd);
    ASSERT_TRUE(selectOutputSize(s, 6));
    EXPECT_EQ(currentOutputSizeText(s), "1600 × 896");
    EXPECT_EQ(selectedOutputSizeIndex(s), 6);

    prepareOutputSize(s, OutputType::Vcd);
    EXPECT_EQ(s.outputType, OutputType::Vcd);
    EXPECT_EQ(QString::number(s.outputWidth) + "x" + QString::number(s.outputHeight), "1280x720");
    EXPECT_EQ(selectedOutputSizeIndex(s), kDefaultOutputSizeIndex);

    // A size the list does not hold selects no entry.
    s.outputWidth = 1920;
    s.outputHeight = 1080;
    EXPECT_EQ(selectedOutputSizeIndex(s), -1);
}

TEST(AlbumSettings, PictureSequenceFormatAndTheDefaultButton) {
    AlbumSettings s;
    prepareOutputSize(s, OutputType::PictureSequence);
    EXPECT_EQ(outputTypeText(s), "JPG");
    EXPECT_FALSE(chooseImageSequenceFormat(s, QStringLiteral("PNG")));
    ASSERT_TRUE(chooseImageSequenceFormat(s, QStringLiteral("TGA")));
    selectOutputSize(s, 7);
    EXPECT_EQ(outputTypeText(s), "TGA");
    restoreOutputDefaults(s);
    EXPECT_EQ(outputTypeText(s), "JPG");
    EXPECT_EQ(currentOutputSizeText(s), "1280 × 720");

    // Other types show the type and keep the format of a later sequence.
    chooseImageSequenceFormat(s, QStringLiteral("PCX"));
    s.outputType = OutputType::Avi;
    selectOutputSize(s, 0);
    restoreOutputDefaults(s);
    EXPECT_EQ(outputTypeText(s), "AVI");
    EXPECT_EQ(s.imageSequenceFormat, "PCX");
    EXPECT_EQ(currentOutputSizeText(s), "1280 × 720");
}

TEST(AlbumSettings, TheOtherSettingsPanelRows) {
    ProjectModel model;
    model.textEffects.append(TextEffect{});
    model.pictureEffects.append(PictureEffect{});
    model.pictureEffects.append(PictureEffect{});
    QStringList lines;
    for (auto item : otherSettingsSummaryItems()) {
        const SummaryRow r = summaryRow(model, item);
        lines << r.caption + r.value + r.unit;
    }
    EXPECT_EQ(lines, (QStringList{"画面质量:高清画质", "相册长度:相片为准", "文字特效:1个",
                                  "画面特效:2个", "电视制式:PAL制式"}));
}
