#include "app/album_settings.h"

#include <gtest/gtest.h>

#include "app/project_model.h"
#include "support/test_support.h"

using namespace orvane;

TEST(AlbumSettings, SizeListsByOutputType) {
    const auto vcd = outputSizes(QStringLiteral("VCD"));
    ASSERT_EQ(vcd.size(), 5u);
    EXPECT_EQ(outputSizeText(vcd.front()), "320 × 176");
    for (const char* type : {"SVCD", "DVD", "AVI", "XLTP"}) {
        const auto sizes = outputSizes(QString::fromLatin1(type));
        ASSERT_EQ(sizes.size(), 8u) << type;
        EXPECT_EQ(outputSizeText(sizes[kDefaultOutputSizeIndex]), "1280 × 720") << type;
        EXPECT_EQ(outputSizeText(sizes.back()), "1920 × 1080") << type;
    }
    EXPECT_EQ(outputSizes(QStringLiteral("SVCD"))[5], (OutputSize{1440, 816}));
}

TEST(AlbumSettings, ChoosingASizeThenAnotherTypeFallsBackToTheDefault) {
    AlbumSettings s;
    s.outputType = QStringLiteral("DVD");
    ASSERT_TRUE(selectOutputSize(s, 6));
    EXPECT_EQ(s.outputWidth + "x" + s.outputHeight, "1600x896");
    s.outputType = QStringLiteral("VCD");
    EXPECT_FALSE(selectOutputSize(s, 6));  // VCD has no seventh entry
    ASSERT_TRUE(selectOutputSize(s, kDefaultOutputSizeIndex));
    EXPECT_EQ(s.outputWidth + "x" + s.outputHeight, "1280x720");
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
    model.settings.quality = QStringLiteral("yiban_huazhi");
    model.settings.tvSystem = QStringLiteral("NTSC");
    model.settings.syncMode = QStringLiteral("sui_yinyue_tongbu");
    rows = summaryRows(model);
    EXPECT_EQ(rows[0].value, "1");
    EXPECT_EQ(rows[3].value, "一般画质");
    EXPECT_EQ(rows[4].value, "NTSC制式");
    EXPECT_EQ(rows[5].value, "音乐为准");
}

TEST(AlbumSettings, CropStyleCaptions) {
    AlbumSettings s;
    EXPECT_EQ(landscapeCropCaption(s.landscapeCrop), "横照片剪裁成全屏效果");
    EXPECT_EQ(portraitCropCaption(s.portraitCrop), "竖照片剪裁成局部放大效果");
    EXPECT_EQ(landscapeCropCaption(LandscapeCrop::TemplateDefault), "横照片剪裁成模板特效默认效果");
    EXPECT_EQ(portraitCropCaption(PortraitCrop::TemplateDefault), "竖照片使用模板特效默认效果");
}
