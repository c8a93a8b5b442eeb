#include "effects/effect_options.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace orvane {
namespace {

TEST(EffectOptions, TextOptionsWithAndWithoutTheLookFields) {
    const Result<TextEffect> plain = textEffectFromOption("你好|01:30|congyouxiangzuo");
    ASSERT_TRUE(plain) << plain.error().message.toStdString();
    EXPECT_EQ(plain->text, "你好");
    EXPECT_EQ(plain->startTime, "01:30");
    EXPECT_EQ(plain->motionKey, "congyouxiangzuo");
    EXPECT_EQ(plain->colorName, "clWhite");
    EXPECT_EQ(plain->fontName, "黑体");
    EXPECT_EQ(plain->fontSize, 10);

    const Result<TextEffect> styled =
        textEffectFromOption("Hi|00:05|从居中上向居中下|clRed|宋体|30");
    ASSERT_TRUE(styled) << styled.error().message.toStdString();
    EXPECT_EQ(styled->motionKey, "congshangxiangxia");
    EXPECT_EQ(styled->effectName, "从居中上向居中下");
    EXPECT_EQ(styled->colorValue, "255");
    EXPECT_EQ(styled->fontName, "宋体");
    EXPECT_EQ(styled->fontSize, 30);
}

TEST(EffectOptions, BadTextOptionsNameTheOptionAndTheReason) {
    struct Case {
        const char* option;
        const char* reason;
    };
    const Case cases[] = {
        {"only text", "应为"},
        {"a|00:01|congzuoxiangyou|clRed|宋体|20|extra", "应为"},
        {"|00:01|congzuoxiangyou", "没有输入文字内容！"},
        {"a|1:30|congzuoxiangyou", "(文字出现时间)不能为空！"},
        {"a|00:01|spin", "(文字特效)不能为空！"},
        {"a|00:01|congzuoxiangyou|clRed|宋体|41", "(文字大小)不能为空！"},
    };
    for (const Case& c : cases) {
        const Result<TextEffect> row = textEffectFromOption(QString::fromUtf8(c.option));
        ASSERT_FALSE(row) << c.option;
        EXPECT_TRUE(row.error().message.contains(QString::fromUtf8(c.option))) << c.option;
        EXPECT_TRUE(row.error().message.contains(QString::fromUtf8(c.reason))) << c.option;
    }
}

TEST(EffectOptions, PictureOptions) {
    const Result<PictureEffect> row = pictureEffectFromOption("/x/logo.png|00:10|00:20|1700,40", 2);
    ASSERT_TRUE(row) << row.error().message.toStdString();
    EXPECT_EQ(rowToTexts(*row, pictureEffectFields()),
              (QStringList{"250", "00:10", "00:20", "tingzhi", "/x/logo.png", "2", "1700,40"}));
    EXPECT_FALSE(pictureEffectFromOption("/x/logo.png|00:10|00:20", 1));
    EXPECT_FALSE(pictureEffectFromOption("|00:10|00:20|0,0", 1));
    const Result<PictureEffect> late = pictureEffectFromOption("/x/logo.png|00:20|00:10|0,0", 1);
    ASSERT_FALSE(late);
    EXPECT_TRUE(late.error().message.contains("/x/logo.png"));
}

}  // namespace
}  // namespace orvane
