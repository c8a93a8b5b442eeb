#include <gtest/gtest.h>

#include "effects/picture_effect.h"
#include "effects/text_colors.h"
#include "effects/text_effect.h"
#include "support/test_support.h"

namespace orvane {
namespace {

TEST(TextEffectRows, ANewRowCarriesTheMotionRowAndTheStoredForms) {
    TextEffectChoice choice;
    choice.text = "此处输入文字";
    choice.startTime = "01:30";
    choice.effectName = "从左下到右下";
    choice.colorName = "clYellow";
    choice.fontSize = "24";
    choice.italic = true;
    const Result<TextEffect> row = makeTextEffect(choice);
    ASSERT_TRUE(row) << row.error().message.toStdString();
    EXPECT_EQ(
        rowToTexts(*row, textEffectFields()),
        (QStringList{"此处输入文字", "01:30", "暂无", "tingzhi", "congzuoxiangyou", "0", "256",
                     "从左下到右下", "clYellow", "黑体", "24", "0", "xieti", "0", "65535"}));
}

TEST(TextEffectRows, AMotionKeyAloneGetsTheFirstNameThatStandsForIt) {
    TextEffectChoice choice;
    choice.text = "t";
    choice.startTime = "00:00";
    choice.motionKey = "congshangxiangxia";
    const Result<TextEffect> row = makeTextEffect(choice);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->effectName, "从居中上向居中下");
    EXPECT_EQ(row->x, "144");
    EXPECT_EQ(row->colorValue, "16777215");
}

TEST(TextEffectRows, ChecksFailWithTheirMessagesInOrder) {
    struct Case {
        void (*spoil)(TextEffectChoice&);
        const char* message;
    };
    const Case cases[] = {
        {[](TextEffectChoice& c) {
             c.text.clear();
             c.startTime.clear();
         },
         "没有输入文字内容！"},
        {[](TextEffectChoice& c) { c.startTime.clear(); }, "(文字出现时间)不能为空！"},
        {[](TextEffectChoice& c) { c.startTime = "60:00"; }, "(文字出现时间)不能为空！"},
        {[](TextEffectChoice& c) { c.startTime = "1:30"; }, "(文字出现时间)不能为空！"},
        {[](TextEffectChoice& c) { c.effectName = "飞入"; }, "(文字特效)不能为空！"},
        {[](TextEffectChoice& c) {
             c.effectName.clear();
             c.motionKey = "wu";
         },
         "(文字特效)不能为空！"},
        {[](TextEffectChoice& c) { c.fontName = " "; }, "(文字字体)不能为空！"},
        {[](TextEffectChoice& c) { c.fontSize = "9"; }, "(文字大小)不能为空！"},
        {[](TextEffectChoice& c) { c.fontSize = "大"; }, "(文字大小)不能为空！"},
        {[](TextEffectChoice& c) { c.colorName = "clPink"; }, "未知的字体颜色：clPink"},
    };
    for (const Case& c : cases) {
        TextEffectChoice choice;
        choice.text = "t";
        choice.startTime = "00:05";
        choice.effectName = "从左上向右下";
        c.spoil(choice);
        const Result<TextEffect> row = makeTextEffect(choice);
        ASSERT_FALSE(row) << c.message;
        EXPECT_EQ(row.error().message, QString::fromUtf8(c.message));
    }
}

TEST(TextEffectRows, FontSizeIsScaledFromThePreviewToTheFrameWidth) {
    TextEffect row;
    row.fontName = "黑体";
    row.fontSize = 10;
    row.bold = true;
    row.italic = false;
    row.underline = true;
    EXPECT_EQ(textEffectFontSize(row), 37);  // 10 × 1920 div 513
    EXPECT_EQ(textEffectFontSize(row, 1280), 24);
    const QFont font = textEffectFont(row);
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_TRUE(font.underline());
}

TEST(TextColors, StoredValuesAndTheColoursTheyDraw) {
    EXPECT_EQ(colorValueForName("clWhite"), 16777215);
    EXPECT_EQ(colorValueForName("clBlue"), 16711680);
    EXPECT_EQ(colorValueForName("clRed"), 255);
    EXPECT_EQ(colorValueForName("clNope"), std::nullopt);
    EXPECT_EQ(colorForValue(255), QColor(255, 0, 0));
    EXPECT_EQ(colorForValue(16711680), QColor(0, 0, 255));
    // A system colour is stored with its top bit set: negative.
    const int btnFace = *colorValueForName("clBtnFace");
    EXPECT_LT(btnFace, 0);
    EXPECT_EQ(colorForValue(btnFace), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(colorForValueText(QString::number(btnFace)), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(colorForValueText("white"), std::nullopt);
    EXPECT_EQ(textColorList().size(), 50u);
}

TEST(PictureEffectRows, TimesAndPlacementBecomeASpanOfAlbumFrames) {
    struct Case {
        const char* start;
        const char* end;
        const char* placement;
        int startFrame;
        int endFrame;
        QPoint at;
        const char* frames;
    };
    const Case cases[] = {
        {"00:01", "00:03", "10,20", 25, 75, {10, 20}, "50"},
        {"01:30", "wu", "-5, 7", 2250, -1, {-5, 7}, "0"},
        {"00:00", "59:59", "0,0", 0, 89975, {0, 0}, "89975"},
    };
    for (const Case& c : cases) {
        const Result<PictureEffect> row =
            makePictureEffect("/p/deco.png", c.start, c.end, c.placement, 3);
        ASSERT_TRUE(row) << row.error().message.toStdString();
        EXPECT_EQ(QString::number(row->frames), QString::fromLatin1(c.frames));
        EXPECT_EQ(row->runState, RunState::Stopped);
        EXPECT_EQ(row->seqNo, 3);
        EXPECT_EQ(row->decoration, "/p/deco.png");
        const Result<PictureEffectSpan> span = pictureEffectSpan(*row);
        ASSERT_TRUE(span);
        EXPECT_EQ(span->startFrame, c.startFrame);
        EXPECT_EQ(span->endFrame, c.endFrame);
        EXPECT_EQ(span->placement, c.at);
        EXPECT_FALSE(span->showsAt(c.startFrame - 1));
        EXPECT_TRUE(span->showsAt(c.startFrame));
        if (c.endFrame > 0) {
            EXPECT_TRUE(span->showsAt(c.endFrame - 1));
            EXPECT_FALSE(span->showsAt(c.endFrame));
        }
    }
}

TEST(PictureEffectRows, BadRowsAreRefusedWithAMessageNamingTheFile) {
    const char* bad[][3] = {
        {"0:01", "00:03", "0,0"},  {"00:01", "00:61", "0,0"}, {"00:03", "00:03", "0,0"},
        {"00:04", "00:03", "0,0"}, {"00:01", "00:03", "12"},  {"00:01", "00:03", "a,b"},
    };
    for (const auto& b : bad) {
        const Result<PictureEffect> row = makePictureEffect("/p/deco.png", b[0], b[1], b[2], 1);
        ASSERT_FALSE(row) << b[0] << " " << b[1] << " " << b[2];
        EXPECT_TRUE(row.error().message.contains("/p/deco.png"));
    }
}

}  // namespace
}  // namespace orvane
