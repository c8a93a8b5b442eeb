#include <gtest/gtest.h>

#include "effects/motion_table.h"
#include "effects/text_motion.h"
#include "support/test_support.h"

namespace orvane {
namespace {

const QSize kArea(513, 289);
const QSize kLabel(50, 20);

TEST(MotionTable, SevenRowsWithTheStoredFixedPositions) {
    const std::vector<MotionRow> rows = motionTable();
    ASSERT_EQ(rows.size(), 7u);
    const QStringList keys = {"zuoshangxiangyouxia", "congzuoxiangyou",   "congshangxiangxia",
                              "congyouxiangzuo",     "zuoxiadaoyoushang", "youshangdaozuoxia",
                              "youxiadaozuoshang"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].motionKey, keys[static_cast<int>(i)]);
        EXPECT_TRUE(isMotionKey(rows[i].motionKey));
    }
    EXPECT_EQ(rows[0].caption, "左上向右下");
    // The fixed top of the left-right rows is half the width, the fixed left
    // of the top-to-bottom row half the height.
    EXPECT_EQ(rows[1].y, "256");
    EXPECT_EQ(rows[3].y, "256");
    EXPECT_EQ(rows[2].x, "144");
    for (std::size_t i : {0u, 4u, 5u, 6u}) {
        EXPECT_EQ(rows[i].x, "0");
        EXPECT_EQ(rows[i].y, "0");
    }
    EXPECT_FALSE(isMotionKey("zuoxiangyou"));
}

TEST(MotionTable, EveryEffectNameStandsForOneOfTheSevenMotions) {
    const QStringList& names = effectNameList();
    ASSERT_EQ(names.size(), 30);
    EXPECT_EQ(names.first(), "从左上向右下");
    EXPECT_EQ(names.last(), "从居中右向居中左");
    for (const QString& name : names) {
        const int row = motionRowForEffectName(name);
        EXPECT_GE(row, 0) << name.toStdString();
        EXPECT_LT(row, 7) << name.toStdString();
    }
    const std::vector<MotionRow> rows = motionTable();
    const auto keyOf = [&](const char* name) {
        return rows[static_cast<std::size_t>(motionRowForEffectName(QString::fromUtf8(name)))]
            .motionKey;
    };
    EXPECT_EQ(keyOf("从左上向右下"), "zuoshangxiangyouxia");
    EXPECT_EQ(keyOf("从左下到右下"), "congzuoxiangyou");
    EXPECT_EQ(keyOf("从右下到左下"), "congyouxiangzuo");
    EXPECT_EQ(keyOf("从居中上向居中下"), "congshangxiangxia");
    EXPECT_EQ(keyOf("从右下到左上"), "youxiadaozuoshang");
    EXPECT_EQ(motionRowForEffectName("从中间向外"), -1);
}

MovingText textFor(const QString& key, const QString& start = QStringLiteral("00:00")) {
    MovingText t;
    t.startTime = start;
    t.motionKey = key;
    for (const MotionRow& row : motionTable())
        if (row.motionKey == key) t.fixed = QPoint(row.x.toInt(), row.y.toInt());
    t.label = kLabel;
    return t;
}

TEST(MotionModel, StartPositionAndFirstStepOfEachMotion) {
    struct Case {
        const char* key;
        QPoint start;
        QPoint afterFirstTick;  // started and moved in the same tick
        QPoint afterSecondTick;
    };
    const Case cases[] = {
        {"zuoshangxiangyouxia", {-50, -20}, {-47, -18}, {-44, -16}},
        {"congzuoxiangyou", {-50, 256}, {-47, 256}, {-44, 256}},
        {"congshangxiangxia", {144, -20}, {144, -17}, {144, -14}},
        {"congyouxiangzuo", {513, 256}, {510, 256}, {507, 256}},
        {"zuoxiadaoyoushang", {-50, 289}, {-47, 286}, {-44, 283}},
        {"youshangdaozuoxia", {513, -20}, {510, -17}, {507, -14}},
        {"youxiadaozuoshang", {513, 289}, {510, 286}, {507, 283}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        MovingText t = textFor(QString::fromLatin1(c.key));
        EXPECT_EQ(motionStartPosition(t.motionKey, t.label, kArea, t.fixed), c.start);
        motionTick(t, "00:00", kArea);
        EXPECT_TRUE(t.running());
        EXPECT_EQ(t.position, c.afterFirstTick);
        motionTick(t, "00:00", kArea);
        EXPECT_EQ(t.position, c.afterSecondTick);
    }
}

TEST(MotionModel, TheStepWidthMovesEveryAxisButTheDiagonalFromTheTopLeftDescendsByTwo) {
    MovingText t = textFor("zuoshangxiangyouxia");
    motionTick(t, "00:00", kArea, 7);
    EXPECT_EQ(t.position, QPoint(-43, -18));
    MovingText v = textFor("congshangxiangxia");
    motionTick(v, "00:00", kArea, 7);
    EXPECT_EQ(v.position, QPoint(144, -13));
}

TEST(MotionModel, StartsOnlyWhenTheClockEqualsItsStartTime) {
    MovingText t = textFor("congzuoxiangyou", "00:30");
    motionTick(t, "00:29", kArea);
    motionTick(t, "00:31", kArea);
    EXPECT_FALSE(t.running());
    EXPECT_EQ(t.position, QPoint(0, 0));
    motionTick(t, "00:30", kArea);
    EXPECT_TRUE(t.running());
    // While running, the clock no longer matters.
    motionTick(t, "09:59", kArea);
    EXPECT_EQ(t.position, QPoint(-44, 256));
}

TEST(MotionModel, OnlyTheRightAndBottomEdgesEndAMotion) {
    struct Case {
        const char* key;
        bool finishes;
        int ticksToFinish;  // ticks until the left passes 513 or the top passes 289
    };
    const Case cases[] = {
        {"zuoshangxiangyouxia", true, 155},  // top -20 + 2n > 289 → n = 155
        {"congzuoxiangyou", true, 188},      // left -50 + 3n > 513 → n = 188
        {"congshangxiangxia", true, 104},    // top -20 + 3n > 289 → n = 104
        {"youshangdaozuoxia", true, 104},   {"congyouxiangzuo", false, 0},
        {"zuoxiadaoyoushang", true, 188},  // out through the top first, ends at the right
        {"youxiadaozuoshang", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        MovingText t = textFor(QString::fromLatin1(c.key));
        int ticks = 0;
        while (ticks < 2000) {
            motionTick(t, "00:00", kArea);
            ++ticks;
            if (!t.running()) break;
        }
        if (c.finishes) {
            EXPECT_FALSE(t.running());
            EXPECT_EQ(ticks, c.ticksToFinish);
            // The label stays where it stopped.
            EXPECT_TRUE(motionFinished(t.position, kArea));
        } else {
            EXPECT_TRUE(t.running());
        }
    }
}

TEST(MotionModel, AFinishedTextStartsAgainOnlyWhenTheClockShowsItsStartTimeAgain) {
    MovingText t = textFor("congzuoxiangyou");
    motionTick(t, "00:00", kArea);
    for (int i = 1; i < 188; ++i) motionTick(t, "00:01", kArea);
    EXPECT_FALSE(t.running());
    motionTick(t, "00:01", kArea);
    EXPECT_FALSE(t.running());
    motionTick(t, "00:00", kArea);
    EXPECT_EQ(t.position, QPoint(-47, 256));
}

TEST(MotionModel, AnUnknownMotionKeyNeverStarts) {
    MovingText t = textFor("congzuoxiangyou");
    t.motionKey = "wu";
    motionTick(t, "00:00", kArea);
    EXPECT_FALSE(t.running());
}

TEST(MotionPreview, PreviewAllEndsWhenEveryTextIsStoppedOnceOneHasRun) {
    // The first text finishes after 188 ticks (by 00:07), long before the
    // second one's start at 00:30: at that tick every text is stopped.
    TextMotionPreview preview(
        {textFor("congzuoxiangyou", "00:00"), textFor("congzuoxiangyou", "00:30")},
        TextMotionPreview::Mode::All);
    int ticks = 0;
    while (preview.tick()) ++ticks;
    EXPECT_EQ(preview.ticks(), 188);
    EXPECT_EQ(preview.clock(), "00:07");
    for (const MovingText& t : preview.texts()) EXPECT_FALSE(t.running());
}

TEST(MotionPreview, ASinglePreviewEndsWhenItsTextLeaves) {
    TextMotionPreview preview(
        {textFor("congyouxiangzuo", "00:00"), textFor("congshangxiangxia", "00:01")},
        TextMotionPreview::Mode::Single, 1);
    // The selected text starts at tick 25 (clock 00:01) and passes the bottom
    // edge 104 ticks later; the other rows never start.
    while (preview.tick()) {
        ASSERT_LT(preview.ticks(), 1000);
        EXPECT_FALSE(preview.texts()[0].running());
    }
    EXPECT_EQ(preview.ticks(), 25 + 104 - 1);
}

TEST(MotionPreview, APreviewWithATextLeavingLeftNeverEndsByItself) {
    TextMotionPreview preview({textFor("congyouxiangzuo")}, TextMotionPreview::Mode::All);
    for (int i = 0; i < 3000; ++i) ASSERT_TRUE(preview.tick());
    EXPECT_EQ(preview.clock(), "02:00");
}

}  // namespace
}  // namespace orvane
