// Every action the interpreter knows, by its bytes: what it leaves on the
// stack or in the variables, what it does to a clip's playhead, and which
// actions are skipped. Each case is one frame's action list written byte by
// byte, so a handler bound to the wrong action code shows up here.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "render/swf/flash_player.h"
#include "render/swf/swf_test_writer.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using namespace orvane::testing::swfw;

using Build = std::function<void(Actions&)>;

// One action without a payload.
Actions& op(Actions& a, int code) { return a.raw({std::uint8_t(code)}); }

// One action record with its payload (codes from 0x80).
Actions& record(Actions& a, int code, const Bytes& payload) {
    a.raw({std::uint8_t(code), std::uint8_t(payload.size() & 0xFF),
           std::uint8_t(payload.size() >> 8)});
    return a.raw(payload);
}

Bytes withString(Bytes bytes, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    bytes.insert(bytes.end(), utf8.begin(), utf8.end());
    bytes.push_back(0);
    return bytes;
}

Actions& pushBoolean(Actions& a, bool value) {
    return record(a, 0x96, {5, std::uint8_t(value ? 1 : 0)});
}

// The length in bytes of the actions `build` writes (for jump offsets).
int lengthOf(const Build& build) {
    Actions a;
    build(a);
    return int(a.take().size()) - 1;  // without the End that take() adds
}

struct Played {
    QString result;  // the root's variable "r"
    QString warnings;
};

Played play(const Build& build) {
    MovieWriter m(40, 40);
    Actions a;
    build(a);
    m.doAction(a);
    m.showFrame();
    TempDir dir;
    const fs::path path = dir.path() / "actions.swf";
    const Bytes bytes = m.finish(1);
    writeFile(path, std::string(bytes.begin(), bytes.end()));
    FlashPlayer player;
    const auto loaded = player.Movie(path);
    if (!loaded) return {QStringLiteral("<not loaded>"), loaded.error().message};
    return {player.GetVariable(QStringLiteral("r")), player.loadWarnings().join(QLatin1Char('\n'))};
}

struct StackCase {
    const char* name;
    Build build;  // leaves "r" and one value on the stack
    const char* result;
};

TEST(PlayerActions, EachStackActionLeavesItsResult) {
    const StackCase cases[] = {
        {"Add", [](Actions& a) { op(a.pushNumber(2).pushNumber(3), 0x0A); }, "5"},
        {"Subtract takes the top from the one below",
         [](Actions& a) { op(a.pushNumber(7).pushNumber(3), 0x0B); }, "4"},
        {"Multiply", [](Actions& a) { op(a.pushNumber(6).pushNumber(7), 0x0C); }, "42"},
        {"Divide", [](Actions& a) { op(a.pushNumber(7).pushNumber(2), 0x0D); }, "3.5"},
        {"Divide by zero", [](Actions& a) { op(a.pushNumber(1).pushNumber(0), 0x0D); }, "Infinity"},
        {"Equals compares numbers",
         [](Actions& a) { op(a.pushString("2").pushString("2.0"), 0x0E); }, "true"},
        {"Less", [](Actions& a) { op(a.pushNumber(2).pushNumber(3), 0x0F); }, "true"},
        {"Less the other way", [](Actions& a) { op(a.pushNumber(3).pushNumber(2), 0x0F); },
         "false"},
        {"And", [](Actions& a) { op(pushBoolean(pushBoolean(a, true), false), 0x10); }, "false"},
        {"Or", [](Actions& a) { op(pushBoolean(pushBoolean(a, false), true), 0x11); }, "true"},
        {"Not", [](Actions& a) { op(a.pushNumber(0), 0x12); }, "true"},
        {"StringEquals compares text",
         [](Actions& a) { op(a.pushString("1").pushString("1.0"), 0x13); }, "false"},
        {"Pop drops the top", [](Actions& a) { op(a.pushString("kept").pushString("gone"), 0x17); },
         "kept"},
        {"GetVariable",
         [](Actions& a) {
             a.pushString("x").pushString("read").setVariableOp();
             a.pushString("r").pushString("x").getVariable();
         },
         "read"},
        {"StringAdd joins in order",
         [](Actions& a) { op(a.pushString("ab").pushString("cd"), 0x21); }, "abcd"},
        {"Trace pops its argument",
         [](Actions& a) { op(a.pushString("kept").pushString("traced"), 0x26); }, "kept"},
        {"DefineLocal2 pops the name",
         [](Actions& a) { op(a.pushString("kept").pushString("name"), 0x41); }, "kept"},
        {"Add2 of text joins", [](Actions& a) { op(a.pushString("a").pushNumber(1), 0x47); }, "a1"},
        {"Add2 of numbers adds", [](Actions& a) { op(a.pushNumber(1).pushNumber(2), 0x47); }, "3"},
        {"Less2 of texts compares text",
         [](Actions& a) { op(a.pushString("10").pushString("9"), 0x48); }, "true"},
        {"Less2 of numbers compares numbers",
         [](Actions& a) { op(a.pushNumber(10).pushNumber(9), 0x48); }, "false"},
        {"Equals2 of undefined and null",
         [](Actions& a) { op(record(record(a, 0x96, {3}), 0x96, {2}), 0x49); }, "true"},
        {"Equals2 of text and number",
         [](Actions& a) { op(a.pushString("1").pushNumber(1), 0x49); }, "true"},
        {"Equals2 of null and zero",
         [](Actions& a) { op(record(a, 0x96, {2}).pushNumber(0), 0x49); }, "false"},
        {"PushDuplicate", [](Actions& a) { op(op(a.pushString("d"), 0x4C), 0x21); }, "dd"},
        {"StackSwap", [](Actions& a) { op(op(a.pushString("a").pushString("b"), 0x4D), 0x21); },
         "ba"},
        {"Increment", [](Actions& a) { op(a.pushNumber(4), 0x50); }, "5"},
        {"Decrement", [](Actions& a) { op(a.pushNumber(4), 0x51); }, "3"},
        {"Push float",
         [](Actions& a) {
             record(a, 0x96, {1, 0x00, 0x00, 0xC0, 0x3F});
         },
         "1.5"},
        {"Push null", [](Actions& a) { record(a, 0x96, {2}); }, "null"},
        {"Push register reads undefined",
         [](Actions& a) {
             op(record(a, 0x96, {4, 0}).pushString("!"), 0x21);
         },
         "undefined!"},
        {"Push boolean",
         [](Actions& a) {
             record(a, 0x96, {5, 1});
         },
         "true"},
        {"Push integer",
         [](Actions& a) {
             record(a, 0x96, {7, 0xFB, 0xFF, 0xFF, 0xFF});
         },
         "-5"},
        {"Push several values in one record",
         [](Actions& a) {
             op(record(a, 0x96, withString({7, 2, 0, 0, 0, 0}, "x")), 0x21);
         },
         "2x"},
        {"Push constants",
         [](Actions& a) {
             a.constantPool({QStringLiteral("zero"), QStringLiteral("one")});
             op(a.pushConstant(1), 0x21);  // joins "r" and "one"; a new "r" follows
             a.pushString("r");
             record(a, 0x96, {9, 0, 0});
         },
         "zero"},
        {"Push a constant past the pool",
         [](Actions& a) {
             a.constantPool({QStringLiteral("zero")});
             op(record(a, 0x96, {8, 1}).pushString("!"), 0x21);
         },
         "undefined!"},
        {"Jump skips forward",
         [](Actions& a) {
             const Build skipped = [](Actions& s) { op(s.pushString("b"), 0x21); };
             a.pushString("a").jump(lengthOf(skipped));
             skipped(a);
         },
         "a"},
        {"If jumps when true",
         [](Actions& a) {
             const Build skipped = [](Actions& s) { op(s.pushString("b"), 0x21); };
             const int offset = lengthOf(skipped);
             pushBoolean(a.pushString("a"), true);
             record(a, 0x9D, {std::uint8_t(offset), 0});
             skipped(a);
         },
         "a"},
        {"If goes on when false",
         [](Actions& a) {
             const Build skipped = [](Actions& s) { op(s.pushString("b"), 0x21); };
             const int offset = lengthOf(skipped);
             pushBoolean(a.pushString("a"), false);
             record(a, 0x9D, {std::uint8_t(offset), 0});
             skipped(a);
         },
         "ab"},
        {"unknown short action is skipped", [](Actions& a) { op(a.pushString("x"), 0x30); }, "x"},
        {"unknown long action is skipped by its length",
         [](Actions& a) {
             record(a.pushString("x"), 0x8E, {0x96, 0x17, 0x17});
         },
         "x"},
        {"popping an empty stack gives undefined", [](Actions& a) { op(op(a, 0x17), 0x17); }, ""},
    };
    for (const StackCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Played played = play([&](Actions& a) {
            a.pushString(QStringLiteral("r"));
            c.build(a);
            a.setVariableOp();
        });
        EXPECT_EQ(played.result, QLatin1String(c.result));
        EXPECT_EQ(played.warnings, QString());
    }
}

TEST(PlayerActions, DefineLocalSetsAVariableOfTheClip) {
    const Played played = play([](Actions& a) { op(a.pushString("r").pushString("local"), 0x3C); });
    EXPECT_EQ(played.result, QStringLiteral("local"));
}

// Lists that end the frame's actions early, with what was done before.
TEST(PlayerActions, BrokenListsStopWithAWarning) {
    struct Case {
        const char* name;
        Build build;
        const char* result;
        const char* warning;
    };
    const Case cases[] = {
        {"jump before the list", [](Actions& a) { a.setVariable("r", "set").jump(-1000); }, "set",
         "jumps outside"},
        {"jump past the list", [](Actions& a) { a.setVariable("r", "set").jump(1000); }, "set",
         "jumps outside"},
        {"unknown push type", [](Actions& a) { record(a.setVariable("r", "set"), 0x96, {10}); },
         "set", "cut off"},
        {"action longer than the list",
         [](Actions& a) {
             a.setVariable("r", "set").raw({0x96, 9});
         },
         "set", "cut off"},
        {"loadVariables",
         [](Actions& a) {
             record(a.pushString("vars.txt").pushString("_root"), 0x9A, {0x80});
             a.setVariable("r", "went on");
         },
         "went on", "loadVariables"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Played played = play([&](Actions& a) {
            c.build(a);
            a.setVariable("after", "ran");  // never reached when the list breaks
        });
        EXPECT_EQ(played.result, QLatin1String(c.result));
        EXPECT_TRUE(played.warnings.contains(QLatin1String(c.warning)))
            << played.warnings.toStdString();
    }
}

// A root of two frames holding the sprite "s" of five frames (frame 4 is
// labelled "four"); the root's first frame runs `build` on it. Gives the
// sprite's frame (1-based) after the first root frame and after the second.
std::pair<QString, QString> spriteFrames(const Build& build) {
    MovieWriter m(40, 40);
    TagList sprite;
    for (int f = 0; f < 5; ++f) {
        if (f == 3) sprite.frameLabel(QStringLiteral("four"));
        sprite.showFrame();
    }
    m.sprite(1, 5, sprite);
    m.place(Place(1).id(1).named(QStringLiteral("s")));
    Actions a;
    build(a);
    m.doAction(a);
    m.showFrame();
    m.showFrame();
    TempDir dir;
    const fs::path path = dir.path() / "timeline.swf";
    const Bytes bytes = m.finish(2);
    writeFile(path, std::string(bytes.begin(), bytes.end()));
    FlashPlayer player;
    if (!player.Movie(path)) return {};
    const QString first = player.GetVariable(QStringLiteral("s:_currentframe"));
    if (!player.FrameNum(1)) return {};
    return {first, player.GetVariable(QStringLiteral("s:_currentframe"))};
}

TEST(PlayerActions, TimelineActionsMoveTheTargetClip) {
    struct Case {
        const char* name;
        Build build;  // runs with "s" as the target
        const char* first;
        const char* second;
    };
    const auto gotoFrame2 = [](Actions& a, int flags, std::optional<int> bias) {
        record(
            a, 0x9F,
            bias ? Bytes{std::uint8_t(flags), std::uint8_t(*bias), 0} : Bytes{std::uint8_t(flags)});
    };
    const Case cases[] = {
        {"nothing", [](Actions&) {}, "1", "2"},
        {"Stop", [](Actions& a) { a.stop(); }, "1", "1"},
        {"Play after Stop", [](Actions& a) { a.stop().play(); }, "1", "2"},
        {"NextFrame stops", [](Actions& a) { op(a, 0x04); }, "2", "2"},
        {"PrevFrame stops", [](Actions& a) { op(a.gotoFrame(3), 0x05); }, "3", "3"},
        {"GotoFrame counts from 0 and stops", [](Actions& a) { a.gotoFrame(2); }, "3", "3"},
        {"GotoFrame then Play", [](Actions& a) { a.gotoFrame(2).play(); }, "3", "4"},
        {"GoToLabel stops",
         [](Actions& a) { record(a, 0x8C, withString({}, QStringLiteral("four"))); }, "4", "4"},
        {"GoToLabel of an unknown label does nothing",
         [](Actions& a) { record(a, 0x8C, withString({}, QStringLiteral("five"))); }, "1", "2"},
        {"GotoFrame2 by number counts from 1",
         [&](Actions& a) { gotoFrame2(a.pushNumber(2), 0, std::nullopt); }, "2", "2"},
        {"GotoFrame2 by label and play",
         [&](Actions& a) { gotoFrame2(a.pushString("four"), 1, std::nullopt); }, "4", "5"},
        {"GotoFrame2 by number text",
         [&](Actions& a) { gotoFrame2(a.pushString("3"), 0, std::nullopt); }, "3", "3"},
        {"GotoFrame2 with a bias", [&](Actions& a) { gotoFrame2(a.pushNumber(2), 3, 1); }, "3",
         "4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto frames = spriteFrames([&](Actions& a) {
            a.setTarget(QStringLiteral("s"));
            c.build(a);
            a.setTarget(QString());
        });
        EXPECT_EQ(frames.first, QLatin1String(c.first));
        EXPECT_EQ(frames.second, QLatin1String(c.second));
    }
}

TEST(PlayerActions, SetTargetChoosesTheClipTheTimelineActionsMove) {
    struct Case {
        const char* name;
        Build build;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {"SetTarget2 from the stack",
         [](Actions& a) { op(op(a.pushString("s"), 0x20).stop().pushString(""), 0x20); }, "1", "1"},
        {"SetTarget back to the root",
         [](Actions& a) { a.setTarget(QStringLiteral("s")).setTarget(QString()).stop(); }, "1",
         "2"},
        {"SetTarget of an unknown clip leaves the clips alone",
         [](Actions& a) { a.setTarget(QStringLiteral("nowhere")).stop().gotoFrame(3); }, "1", "2"},
        {"a path from the root", [](Actions& a) { a.setTarget(QStringLiteral("_root.s")).stop(); },
         "1", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto frames = spriteFrames(c.build);
        EXPECT_EQ(frames.first, QLatin1String(c.first));
        EXPECT_EQ(frames.second, QLatin1String(c.second));
    }
}

}  // namespace
}  // namespace orvane
