// Bit packing of the template compiler's SWF writer, against bytes worked
// out by hand from the bit layouts (MSB first, byte-aligned structures).

#include "swf_writer.h"

#include <gtest/gtest.h>

#include "shape_builder.h"

using namespace orvane::swfwrite;

namespace {

Bytes packed(auto write) {
    BitWriter w;
    write(w);
    return w.take();
}

}  // namespace

TEST(SwfBits, SignedAndUnsignedWidths) {
    struct Case {
        std::int32_t value;
        int bits;
    } cases[] = {{0, 0}, {1, 2}, {-1, 1}, {20, 6}, {-20, 6}, {-16, 5}, {38400, 17}, {65536, 18}};
    for (const Case& c : cases) EXPECT_EQ(signedBits(c.value), c.bits) << c.value;
    EXPECT_EQ(unsignedBits(0), 0);
    EXPECT_EQ(unsignedBits(255), 8);
}

TEST(SwfBits, RectEncodings) {
    // The classic 550 × 400 stage: n = 15.
    EXPECT_EQ(packed([](BitWriter& w) {
                  writeRect(w, {0, 11000, 0, 8000});
              }),
              (Bytes{0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00}));
    // 1920 × 1080: 38400 twips needs 17 bits with the sign.
    EXPECT_EQ(packed([](BitWriter& w) {
                  writeRect(w, {0, 38400, 0, 21600});
              }),
              (Bytes{0x88, 0x00, 0x01, 0x2C, 0x00, 0x00, 0x00, 0x2A, 0x30, 0x00}));
}

TEST(SwfBits, MatrixEncodings) {
    // Translation only: flags 0, 0, n = 6, +20 and -20 twips.
    Matrix translate;
    translate.tx = 20;
    translate.ty = -20;
    EXPECT_EQ(packed([&](BitWriter& w) { writeMatrix(w, translate); }), (Bytes{0x0C, 0xA5, 0x80}));

    // Scale 2 and 0.5 (19 bits), skews 0.25 and -0.25 (16 bits), tx 100 (8 bits).
    Matrix full;
    full.a = 2.0;
    full.d = 0.5;
    full.b = 0.25;
    full.c = -0.25;
    full.tx = 100;
    EXPECT_EQ(
        packed([&](BitWriter& w) { writeMatrix(w, full); }),
        (Bytes{0xCD, 0x00, 0x00, 0x08, 0x00, 0x0C, 0x10, 0x00, 0x30, 0x00, 0x10, 0xC8, 0x00}));

    // The identity is the smallest matrix: three flag/size fields, one byte.
    EXPECT_EQ(packed([](BitWriter& w) { writeMatrix(w, Matrix{}); }), (Bytes{0x00}));
}

TEST(SwfBits, ColorTransformEncodings) {
    ColorTransform half;
    half.aMul = 128;
    EXPECT_EQ(packed([&](BitWriter& w) { writeColorTransform(w, half); }),
              (Bytes{0x69, 0x00, 0x40, 0x10, 0x02, 0x00}));

    // Multipliers come first, then the adds; a negative add in two's complement.
    ColorTransform both;
    both.rMul = 128;
    both.rAdd = -255;
    both.gAdd = 10;
    EXPECT_EQ(packed([&](BitWriter& w) { writeColorTransform(w, both); }),
              (Bytes{0xE8, 0x80, 0x40, 0x10, 0x04, 0x03, 0x01, 0x02, 0x80, 0x00, 0x00}));
}

TEST(SwfBits, TagHeadersShortAndLong) {
    EXPECT_EQ(makeTag(kShowFrame, {}), (Bytes{0x40, 0x00}));
    // 62 bytes still fit the short form; 63 need the long one.
    EXPECT_EQ(makeTag(kDoAction, Bytes(62, 0)).size(), 64u);
    const Bytes longTag = makeTag(kDoAction, Bytes(63, 0));
    ASSERT_EQ(longTag.size(), 69u);
    EXPECT_EQ(longTag[0], 0x3F);
    EXPECT_EQ(longTag[1], 0x03);
    EXPECT_EQ(longTag[2], 63);
}

TEST(SwfBits, PlaceObject2FieldOrder) {
    Matrix m;
    m.tx = 20;
    m.ty = -20;
    PlaceObject p;
    p.depth = 3;
    p.characterId = 7;
    p.matrix = &m;
    p.name = "a";
    // Flags: name 0x20 | matrix 0x04 | character 0x02; depth, id, matrix, name.
    EXPECT_EQ(placeObject2(p),
              (Bytes{0x8A, 0x06, 0x26, 0x03, 0x00, 0x07, 0x00, 0x0C, 0xA5, 0x80, 'a', 0x00}));
}

TEST(SwfBits, LoadMovieAndFsCommandActions) {
    EXPECT_EQ(action::loadMovie(), (Bytes{0x9A, 0x01, 0x00, 0x40}));
    EXPECT_EQ(action::push({"x"}), (Bytes{0x96, 0x03, 0x00, 0x00, 'x', 0x00}));
    EXPECT_EQ(action::getUrl("FSCommand:a", ""), (Bytes{0x83, 0x0D, 0x00, 'F', 'S', 'C', 'o', 'm',
                                                        'm', 'a', 'n', 'd', ':', 'a', 0x00, 0x00}));
}

TEST(SwfBits, LongStraightEdgesAreSplit) {
    // A 4000 px line is 80000 twips: more than an edge's 17-bit delta holds.
    ShapeDef shape;
    shape.fills.push_back(FillStyle::solid({255, 0, 0, 255}));
    shape.parts.push_back({rectOutline(0, 0, 4000, 10), 1, false});
    EXPECT_NO_THROW(defineShape3(1, shape));
}

TEST(SwfBits, ShapeRecordsPutTheFillOnTheRightSide) {
    // A 1 px square (20 twips), drawn clockwise: as an outline its inside is
    // on the right (fill style 1); as a hole the fill lies on its left (fill
    // style 0). Bounds, one red solid fill, no line style, 1 fill bit; then
    // a style change with a move to (0, 0) and four 6-bit straight edges.
    ShapeDef outline;
    outline.fills.push_back(FillStyle::solid({255, 0, 0, 255}));
    outline.parts.push_back({rectOutline(0, 0, 1, 1), 1, false});
    EXPECT_EQ(defineShape3(1, outline), (Bytes{0x18, 0x08, 0x01, 0x00, 0x30, 0x0A, 0x00, 0xA0, 0x01,
                                               0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x10, 0x14, 0x1D,
                                               0x05, 0x34, 0x54, 0xD0, 0xB3, 0x46, 0xC0, 0x00}));

    ShapeDef hole = outline;
    hole.parts[0].outline = Outline().addHoles(rectOutline(0, 0, 1, 1));
    EXPECT_EQ(defineShape3(1, hole), (Bytes{0x18, 0x08, 0x01, 0x00, 0x30, 0x0A, 0x00, 0xA0, 0x01,
                                            0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x10, 0x0C, 0x1D,
                                            0x05, 0x34, 0x54, 0xD0, 0xB3, 0x46, 0xC0, 0x00}));
}
