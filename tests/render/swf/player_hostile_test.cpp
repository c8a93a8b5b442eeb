// Damaged and hostile movies: each is refused with a message naming the
// file, or plays safely, and never crashes or hangs.

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <limits>

#include "render/swf/flash_player.h"
#include "render/swf/swf_test_writer.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using namespace orvane::testing::swfw;

Bytes simpleMovie() {
    MovieWriter m(100, 100);
    m.rectShape(1, QRectF(10, 10, 50, 50), solidFill(Qt::red));
    m.place(Place(1).id(1));
    m.showFrame();
    return m.finish(1);
}

Bytes withHeader(int widthPx, int heightPx, int frames) {
    MovieWriter m(widthPx, heightPx);
    m.showFrame();
    return m.finish(frames);
}

Bytes nestedSprites(int levels) {
    MovieWriter m(100, 100);
    m.rectShape(1, QRectF(0, 0, 10, 10), solidFill(Qt::red));
    for (int i = 0; i < levels; ++i) {
        TagList t;
        t.place(Place(1).id(i == 0 ? 1 : 100 + i - 1));
        t.showFrame();
        m.sprite(100 + i, 1, t);
    }
    m.place(Place(1).id(100 + levels - 1));
    m.showFrame();
    return m.finish(1);
}

Bytes manyLongSprites() {
    MovieWriter m(100, 100);
    TagList empty;
    for (int i = 0; i < 3000; ++i) m.sprite(10 + i, 65535, empty);
    m.place(Place(1).id(10));
    m.showFrame();
    return m.finish(65535);
}

// Each level places the level below twice: 2^30 objects if nothing stopped it.
Bytes doublingSprites() {
    MovieWriter m(100, 100);
    m.rectShape(1, QRectF(0, 0, 10, 10), solidFill(Qt::red));
    for (int i = 0; i < 30; ++i) {
        TagList t;
        const int child = i == 0 ? 1 : 100 + i - 1;
        t.place(Place(1).id(child));
        t.place(Place(2).id(child).at(QTransform::fromTranslate(20, 20)));
        t.showFrame();
        m.sprite(100 + i, 1, t);
    }
    m.place(Place(1).id(129));
    m.showFrame();
    return m.finish(2);
}

// A sprite of 1500 shapes used as the mask of the root.
Bytes maskOfManyShapes() {
    MovieWriter m(100, 100);
    m.rectShape(1, QRectF(0, 0, 10, 10), solidFill(Qt::red));
    TagList t;
    for (int i = 0; i < 1500; ++i)
        t.place(Place(i + 1).id(1).at(QTransform::fromTranslate(i % 90, i / 90)));
    t.showFrame();
    m.sprite(50, 1, t);
    m.place(Place(1).id(50).masking(3));
    m.place(Place(2).id(1));
    m.showFrame();
    return m.finish(1);
}

// A lossless bitmap tag (DefineBitsLossless2, 32-bit) that announces
// width x height pixels and carries only an empty zlib stream.
void announceLosslessBitmap(MovieWriter& m, int id, int width, int height) {
    BitWriter w;
    w.u16(id);
    w.u8(5);
    w.u16(width);
    w.u16(height);
    w.append({0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
    m.tag(36, w.bytes());
}

// Five lossless bitmaps announcing 8000 x 8000 pixels each: each is within
// the bound for one bitmap, together they are not, and none may be decoded.
Bytes fiveLargeBitmaps() {
    MovieWriter m(100, 100);
    for (int id = 1; id <= 5; ++id) announceLosslessBitmap(m, id, 8000, 8000);
    m.showFrame();
    return m.finish(1);
}

Bytes selfContainingSprite() {
    MovieWriter m(100, 100);
    TagList t;
    t.place(Place(1).id(7));
    t.showFrame();
    m.sprite(7, 1, t);
    m.place(Place(1).id(7));
    m.showFrame();
    return m.finish(1);
}

Bytes hugeBitmap() {
    // Announces 9000 x 9000 pixels with a few bytes of data.
    MovieWriter m(100, 100);
    announceLosslessBitmap(m, 1, 9000, 9000);
    m.showFrame();
    return m.finish(1);
}

Bytes shortBitmap() {
    MovieWriter m(100, 100);
    BitWriter w;
    w.u16(1);
    w.u8(5);
    w.u16(50);
    w.u16(50);
    Bytes few(100, 7);
    uLongf size = compressBound(100);
    Bytes packed(size);
    compress(packed.data(), &size, few.data(), 100);
    packed.resize(size);
    w.append(packed);
    m.tag(36, w.bytes());
    m.showFrame();
    return m.finish(1);
}

Bytes endlessActions() {
    MovieWriter m(100, 100);
    Actions a;
    a.setVariable(QStringLiteral("before"), QStringLiteral("yes"));
    a.jump(-5);  // jumps onto itself forever
    m.doAction(a);
    m.showFrame();
    // Frames that jump to each other for ever.
    Actions b;
    b.gotoFrame(2);
    m.doAction(b);
    m.showFrame();
    Actions c;
    c.gotoFrame(1);
    m.doAction(c);
    m.showFrame();
    return m.finish(3);
}

Bytes unknownTagsAndCutActions() {
    MovieWriter m(100, 100);
    m.tag(777 & 0x3FF, {1, 2, 3, 4, 5});
    m.tag(60, Bytes(70, 0xAB));                // long form of a tag we do not know
    m.tag(12, {0x96, 0x20, 0x00, 0x00, 'a'});  // Push running past its record
    m.rectShape(1, QRectF(10, 10, 50, 50), solidFill(Qt::red));
    m.place(Place(1).id(1));
    m.place(Place(2).id(99));  // never defined
    m.showFrame();
    return m.finish(1);
}

Bytes corruptCompressed() {
    Bytes plain = simpleMovie();
    Bytes out(plain.begin(), plain.begin() + 8);
    out[0] = 'C';
    for (std::uint8_t b : {0x78, 0x9C, 0xFF, 0xFF, 0x12, 0x34}) out.push_back(b);
    return out;
}

Bytes truncated(Bytes b, std::size_t keep) {
    b.resize(std::min(keep, b.size()));
    return b;
}

// A shape whose edges all run right by the longest step: the pen would pass
// the range of an int after some 33 000 of them.
Bytes shapeRunningOffToTheRight(int edges) {
    MovieWriter m(100, 100);
    BitWriter w;
    w.u16(1);
    w.append(rect(0, 2000, 0, 2000));
    w.u8(1);
    w.append(solidFill(Qt::red));
    w.u8(0);
    w.ub(1, 4);
    w.ub(0, 4);
    w.ub(0, 1);
    w.ub(0x05, 5);  // fill style 1, move to (0, 0)
    w.ub(1, 5);
    w.sb(0, 1);
    w.sb(0, 1);
    w.ub(1, 1);
    for (int i = 0; i < edges; ++i) {
        w.ub(1, 1);   // edge
        w.ub(1, 1);   // straight
        w.ub(15, 4);  // 17 bits
        w.ub(0, 1);   // not general
        w.ub(0, 1);   // horizontal
        w.sb(65535, 17);
    }
    w.ub(0, 6);
    m.tag(32, w.bytes());
    m.place(Place(1).id(1));
    m.showFrame();
    return m.finish(1);
}

struct HostileCase {
    const char* name;
    std::function<Bytes()> make;
    bool loads;              // plays (possibly with warnings) instead of being refused
    const char* reasonPart;  // part of the message when refused
};

TEST(PlayerHostile, DamagedAndHostileMoviesFailCleanlyOrPlaySafely) {
    const HostileCase cases[] = {
        {"empty file", [] { return Bytes{}; }, false, "too short"},
        {"not a movie", [] { return Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}; }, false,
         "not a SWF"},
        {"header only", [] { return truncated(simpleMovie(), 9); }, false, "ends too early"},
        {"cut in a tag", [] { return truncated(simpleMovie(), 40); }, false, "past the end"},
        {"corrupt zlib", corruptCompressed, false, "damaged"},
        {"stage too wide", [] { return withHeader(9000, 100, 1); }, false, "8192"},
        {"stage too tall", [] { return withHeader(100, 8200, 1); }, false, "8192"},
        {"sprites nested 70 deep", [] { return nestedSprites(70); }, false, "nested too deeply"},
        {"sprite containing itself", selfContainingSprite, false, "contain each other"},
        {"bitmap over 64 megapixels", hugeBitmap, false, "too large"},
        {"bitmap short of pixels", shortBitmap, false, "bitmap"},
        {"shape of 200 000 edges", [] { return shapeRunningOffToTheRight(200'000); }, false,
         "edges"},
        {"sprites nested 20 deep", [] { return nestedSprites(20); }, true, ""},
        {"endless actions", endlessActions, true, ""},
        {"thousands of sprites of 65535 frames", manyLongSprites, true, ""},
        {"sprites doubling at every level", doublingSprites, false, "clips at once"},
        {"mask of 1500 shapes", maskOfManyShapes, false, "more than 256 shapes"},
        {"five 8000 x 8000 bitmaps", fiveLargeBitmaps, false, "refused before decoding"},
        {"unknown tags, cut actions, undefined character", unknownTagsAndCutActions, true, ""},
    };
    TempDir dir;
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir.path() / "hostile movie.swf";
        const Bytes bytes = c.make();
        writeFile(path, std::string(bytes.begin(), bytes.end()));
        FlashPlayer player;
        const auto start = std::chrono::steady_clock::now();
        auto result = player.Movie(path);
        if (!c.loads) {
            ASSERT_FALSE(result.has_value());
            EXPECT_TRUE(result.error().message.contains(QStringLiteral("hostile movie.swf")))
                << result.error().message.toStdString();
            EXPECT_TRUE(result.error().message.contains(QLatin1String(c.reasonPart)))
                << result.error().message.toStdString();
            EXPECT_FALSE(player.TotalFrames().has_value());
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
            EXPECT_FALSE(player.FrameNum(1).has_value());
            EXPECT_EQ(player.GetVariable(QStringLiteral("l_x_z_f_c")), QString());
            QImage image = player.render(64, 36);
            EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::black));
            continue;
        }
        ASSERT_TRUE(result.has_value()) << result.error().message.toStdString();
        ASSERT_TRUE(player.FrameNum(player.TotalFrames().value() - 1).has_value());
        ASSERT_TRUE(player.FrameNum(0).has_value());
        player.render(64, 64);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    }
}

// A mask sprite of 2000 empty clips, which the file check counts as no
// shapes at all; the root's actions then load a picture into every clip, so
// the mask is made of 2000 separate squares (one pixel, two apart) once the
// frame is painted.
Bytes maskFilledByActions(int clips) {
    MovieWriter m(100, 100);
    m.background(Qt::white);
    m.rectShape(1, QRectF(0, 0, 100, 100), solidFill(Qt::red));
    TagList empty;
    empty.showFrame();
    m.sprite(10, 1, empty);
    TagList holder;
    for (int i = 0; i < clips; ++i)
        holder.place(Place(i + 1)
                         .id(10)
                         .named(QStringLiteral("c%1").arg(i))
                         .at(QTransform::fromTranslate(20 * 2 * (i % 40), 20 * 2 * (i / 40))));
    holder.showFrame();
    m.sprite(20, 1, holder);
    m.place(Place(1).id(20).named(QStringLiteral("m")).masking(2));
    m.place(Place(2).id(1));
    Actions a;
    for (int i = 0; i < clips; ++i)
        a.loadMovie(QStringLiteral("square.png"), QStringLiteral("m.c%1").arg(i));
    m.doAction(a);
    m.showFrame();
    return m.finish(1);
}

TEST(PlayerHostile, AMaskThatActionsFillWithPicturesIsPaintedInBoundedTime) {
    TempDir dir;
    QImage square(1, 1, QImage::Format_RGB32);
    square.fill(Qt::blue);
    ASSERT_TRUE(square.save(QString::fromStdString((dir.path() / "square.png").string())));
    const fs::path path = dir.path() / "mask.swf";
    const Bytes bytes = maskFilledByActions(2000);
    writeFile(path, std::string(bytes.begin(), bytes.end()));
    FlashPlayer player;
    ASSERT_TRUE(player.Movie(path).has_value());
    EXPECT_TRUE(player.loadWarnings().isEmpty()) << player.loadWarnings().join(' ').toStdString();
    const auto start = std::chrono::steady_clock::now();
    const QImage image = player.render(100, 100);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(2))
        << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
    // The mask still cuts: its first square shows the red shape, the gap
    // beside it and the stage past the squares show the background.
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(99, 99), QColor(Qt::white));
}

TEST(PlayerHostile, EndlessActionsAreStoppedAndReported) {
    TempDir dir;
    const fs::path path = dir.path() / "loop.swf";
    const Bytes bytes = endlessActions();
    writeFile(path, std::string(bytes.begin(), bytes.end()));
    FlashPlayer player;
    ASSERT_TRUE(player.Movie(path).has_value());
    EXPECT_EQ(player.GetVariable(QStringLiteral("before")), QStringLiteral("yes"));
    EXPECT_TRUE(player.loadWarnings().join(QLatin1Char(' ')).contains(QStringLiteral("too long")));
}

// The inner clip's actions make the root remove its parent, then use the
// parent through "_parent" and "..": the parent must still be there to read
// and write until the tick ends.
Bytes childRemovesItsParent() {
    MovieWriter m(100, 100);
    m.rectShape(1, QRectF(0, 0, 10, 10), solidFill(Qt::red));
    TagList inner;
    Actions a;
    a.setVariable(QStringLiteral("_parent:x"), QStringLiteral("before"));
    a.setTarget(QStringLiteral("_root"));
    a.gotoFrame(1);
    a.setTarget(QString());
    a.pushString(QStringLiteral("_root:seen"));
    a.pushString(QStringLiteral("_parent:x"));
    a.getVariable();
    a.setVariableOp();
    a.setVariable(QStringLiteral("_parent:x"), QStringLiteral("after"));
    a.setVariable(QStringLiteral("..:y"), QStringLiteral("after"));
    a.pushString(QStringLiteral("_root:seenSlash"));
    a.pushString(QStringLiteral("..:y"));
    a.getVariable();
    a.setVariableOp();
    inner.place(Place(1).id(1));
    inner.doAction(a);
    inner.showFrame();
    m.sprite(11, 1, inner);
    TagList outer;
    outer.place(Place(1).id(11).named(QStringLiteral("c")));
    outer.showFrame();
    m.sprite(10, 1, outer);
    Actions stop;
    stop.stop();
    m.place(Place(1).id(10).named(QStringLiteral("p")));
    m.doAction(stop);
    m.showFrame();
    m.remove(1);
    m.doAction(stop);
    m.showFrame();
    return m.finish(2);
}

TEST(PlayerHostile, ClipWhoseParentIsRemovedByItsOwnActions) {
    TempDir dir;
    const fs::path path = dir.path() / "orphan.swf";
    const Bytes bytes = childRemovesItsParent();
    writeFile(path, std::string(bytes.begin(), bytes.end()));
    FlashPlayer player;
    ASSERT_TRUE(player.Movie(path).has_value());
    EXPECT_EQ(player.GetVariable(QStringLiteral("seen")), QStringLiteral("before"));
    EXPECT_EQ(player.GetVariable(QStringLiteral("seenSlash")), QStringLiteral("after"));
    EXPECT_EQ(player.GetVariable(QStringLiteral("p:x")), QString());  // p left the stage
    // Back to the start: the first frame is played again.
    ASSERT_TRUE(player.FrameNum(0).has_value());
    EXPECT_EQ(player.GetVariable(QStringLiteral("seen")), QStringLiteral("before"));
    player.render(32, 32);
}

// Three frames; the first sends the root to `frame` with GotoFrame2.
Bytes gotoFrame2To(const std::function<void(Actions&)>& pushFrame) {
    MovieWriter m(100, 100);
    Actions a;
    pushFrame(a);
    a.raw({0x9F, 0x01, 0x00, 0x00});
    m.doAction(a);
    m.showFrame();
    Actions stop;
    stop.stop();
    m.doAction(stop);
    m.showFrame();
    m.doAction(stop);
    m.showFrame();
    return m.finish(3);
}

TEST(PlayerHostile, GotoFrame2WithFramesOutOfRange) {
    struct Case {
        const char* name;
        std::function<void(Actions&)> push;
        const char* shownFrame;  // 1-based
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"NaN", [](Actions& a) { a.pushNumber(std::nan("")); }, "1"},
        {"minus infinity", [&](Actions& a) { a.pushNumber(-inf); }, "1"},
        {"huge negative", [](Actions& a) { a.pushNumber(-1e300); }, "1"},
        {"zero", [](Actions& a) { a.pushNumber(0); }, "1"},
        {"huge", [](Actions& a) { a.pushNumber(1e300); }, "3"},
        {"infinity", [&](Actions& a) { a.pushNumber(inf); }, "3"},
        {"past an int", [](Actions& a) { a.pushNumber(4294967297.0); }, "3"},
        {"second", [](Actions& a) { a.pushNumber(2); }, "2"},
        {"lowest int as text", [](Actions& a) { a.pushString(QStringLiteral("-2147483648")); },
         "1"},
        {"highest int as text", [](Actions& a) { a.pushString(QStringLiteral("2147483647")); },
         "3"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir.path() / "goto.swf";
        const Bytes bytes = gotoFrame2To(c.push);
        writeFile(path, std::string(bytes.begin(), bytes.end()));
        FlashPlayer player;
        ASSERT_TRUE(player.Movie(path).has_value());
        EXPECT_EQ(player.GetVariable(QStringLiteral("_currentframe")), QLatin1String(c.shownFrame));
    }
}

// Sprites nested 12 deep, each with the same extreme colour transform: the
// terms multiply at every level and must saturate, not wrap around.
Bytes nestedTints(const ColorTransform& tint) {
    MovieWriter m(40, 40);
    m.rectShape(1, QRectF(0, 0, 40, 40), solidFill(QColor(100, 100, 100)));
    for (int i = 0; i < 12; ++i) {
        TagList t;
        t.place(Place(1).id(i == 0 ? 1 : 100 + i - 1).tint(tint));
        t.showFrame();
        m.sprite(100 + i, 1, t);
    }
    m.place(Place(1).id(111).tint(tint));
    m.showFrame();
    return m.finish(1);
}

TEST(PlayerHostile, NestedColourTransformsSaturate) {
    struct Case {
        const char* name;
        ColorTransform tint;
        QColor shown;
    };
    const Case cases[] = {
        {"largest multipliers", {32767, 32767, 32767, 256, 0, 0, 0, 0}, QColor(255, 255, 255)},
        {"largest add terms", {256, 256, 256, 256, 32767, 32767, 32767, 0}, QColor(255, 255, 255)},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir.path() / "tints.swf";
        const Bytes bytes = nestedTints(c.tint);
        writeFile(path, std::string(bytes.begin(), bytes.end()));
        FlashPlayer player;
        ASSERT_TRUE(player.Movie(path).has_value());
        const QImage image = player.render(40, 40);
        const QColor got = image.pixelColor(20, 20);
        EXPECT_NEAR(got.red(), c.shown.red(), 2);
        EXPECT_NEAR(got.green(), c.shown.green(), 2);
        EXPECT_NEAR(got.blue(), c.shown.blue(), 2);
    }
}

TEST(PlayerHostile, PenRunningFarOffTheStageStopsAtABound) {
    TempDir dir;
    const fs::path path = dir.path() / "far.swf";
    const Bytes bytes = shapeRunningOffToTheRight(40'000);
    writeFile(path, std::string(bytes.begin(), bytes.end()));
    FlashPlayer player;
    ASSERT_TRUE(player.Movie(path).has_value());
    player.render(50, 50);
}

// A small movie whose first and last frames jump to each other: every goto
// replays thousands of frames while counting as one action.
Bytes jumpsBetweenItsEnds(int frames) {
    MovieWriter m(100, 100);
    m.rectShape(1, QRectF(0, 0, 10, 10), solidFill(Qt::red));
    Actions toLast;
    toLast.gotoFrame(frames - 1);
    m.doAction(toLast);
    m.showFrame();
    for (int f = 1; f < frames - 1; ++f) {
        m.place(Place(1 + f % 2).id(1));
        m.remove(1 + (f + 1) % 2);
        m.showFrame();
    }
    Actions toFirst;
    toFirst.gotoFrame(0);
    m.doAction(toFirst);
    m.showFrame();
    return m.finish(frames);
}

TEST(PlayerHostile, GotosPayForTheFramesTheyReplay) {
    TempDir dir;
    const fs::path path = dir.path() / "ends.swf";
    const Bytes bytes = jumpsBetweenItsEnds(20'000);
    writeFile(path, std::string(bytes.begin(), bytes.end()));
    FlashPlayer player;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(player.Movie(path).has_value());
    ASSERT_TRUE(player.FrameNum(1).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(player.loadWarnings().join(QLatin1Char(' ')).contains(QStringLiteral("too long")));
}

TEST(PlayerHostile, MissingFileNamesIt) {
    FlashPlayer player;
    auto result = player.Movie("/nonexistent/folder/w_j_9.rar");
    ASSERT_FALSE(result.has_value());
    EXPECT_TRUE(result.error().message.contains(QStringLiteral("w_j_9.rar")));
    EXPECT_FALSE(player.TotalFrames().has_value());
}

}  // namespace
}  // namespace orvane
