#include "photos/photo_render.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/working_folder.h"
#include "jpeg_fixtures.h"
#include "photos/jpeg_writer.h"
#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

QString q(const fs::path& p) { return toQString(p); }

// Where display pixel (dx, dy) of a dw × dh upright picture is stored, for
// each EXIF orientation (the tag tells how the stored rows must be turned).
QPoint storedPosition(int orientation, int dx, int dy, int dw, int dh) {
    switch (orientation) {
        case 2:
            return {dw - 1 - dx, dy};
        case 3:
            return {dw - 1 - dx, dh - 1 - dy};
        case 4:
            return {dx, dh - 1 - dy};
        case 5:
            return {dy, dx};
        case 6:
            return {dy, dw - 1 - dx};
        case 7:
            return {dh - 1 - dy, dw - 1 - dx};
        case 8:
            return {dh - 1 - dy, dx};
        default:
            return {dx, dy};
    }
}

QImage storedFor(const QImage& upright, int orientation) {
    const bool swap = orientation >= 5;
    QImage stored(swap ? upright.height() : upright.width(),
                  swap ? upright.width() : upright.height(), QImage::Format_RGB32);
    for (int y = 0; y < upright.height(); ++y)
        for (int x = 0; x < upright.width(); ++x)
            stored.setPixel(storedPosition(orientation, x, y, upright.width(), upright.height()),
                            upright.pixel(x, y));
    return stored;
}

void expectQuadrants(const QImage& image, const std::string& what) {
    const int w = image.width(), h = image.height();
    const QPoint centres[4] = {
        {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(near(image.pixelColor(centres[i]), kQuadrantColors[i]))
            << what << ": quarter " << i << " is "
            << image.pixelColor(centres[i]).name().toStdString();
}

long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace

TEST(RenderPhoto, AllEightOrientationsComeOutUpright) {
    TempDir tmp;
    const QImage upright = quadrants(96, 64);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const fs::path file = tmp.path() / ("o" + std::to_string(orientation) + ".jpg");
        writeJpeg(file, storedFor(upright, orientation), {.orientation = orientation});
        const std::string what = "orientation " + std::to_string(orientation);

        auto header = readPhotoHeader(q(file));
        ASSERT_TRUE(header) << what;
        EXPECT_EQ(header->exifOrientation, orientation) << what;
        EXPECT_EQ(QSize(header->displayWidth(), header->displayHeight()), QSize(96, 64)) << what;

        auto image = renderPhoto(q(file), QSize(48, 48));
        ASSERT_TRUE(image) << what;
        EXPECT_EQ(image->size(), QSize(48, 32)) << what;
        expectQuadrants(*image, what);
    }
}

TEST(RenderPhoto, ColourSpacesAndCodings) {
    TempDir tmp;
    const QImage upright = quadrants(64, 48);
    const std::pair<const char*, JpegOptions> cases[] = {
        {"baseline", {}},
        {"progressive", {.progressive = true}},
        {"adobe-cmyk", {.color = JpegColor::AdobeCmyk}},
        {"cmyk-progressive", {.color = JpegColor::AdobeCmyk, .progressive = true}},
    };
    for (const auto& [name, options] : cases) {
        const fs::path file = tmp.path() / (std::string(name) + ".jpg");
        writeJpeg(file, upright, options);
        auto image = renderPhoto(q(file), QSize(32, 24));
        ASSERT_TRUE(image) << name << ": " << image.error().message.toStdString();
        EXPECT_EQ(image->size(), QSize(32, 24)) << name;
        expectQuadrants(*image, name);
    }

    const fs::path gray = tmp.path() / "gray.jpg";
    QImage mid(40, 30, QImage::Format_RGB32);
    mid.fill(QColor(128, 128, 128));
    writeJpeg(gray, mid, {.color = JpegColor::Gray});
    auto image = renderPhoto(q(gray), QSize(20, 15));
    ASSERT_TRUE(image);
    EXPECT_TRUE(near(image->pixelColor(10, 7), QColor(128, 128, 128), 4));
}

TEST(RenderPhoto, BadFilesAreRefusedNamingTheFile) {
    TempDir tmp;
    const fs::path folder = tmp.path() / "相册 \"旅行\"";
    // A busy picture, so that most of the file is entropy-coded data and the
    // cut falls inside the scan.
    QImage busy(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < busy.height(); ++y)
        for (int x = 0; x < busy.width(); ++x)
            busy.setPixel(x, y, qRgb((x * 37) ^ (y * 91), x * y, x + 3 * y));
    const std::string good = encodeTestJpeg(busy);
    // The scan data stops halfway at an end marker (FF D9), the file ending properly.
    const std::string earlyEnd = good.substr(0, good.size() / 2) + "\xFF\xD9";
    const std::pair<const char*, std::string> cases[] = {
        {"not a jpeg.jpg", "GIF89a this is no photo at all"},
        {"truncated.jpg", good.substr(0, good.size() * 3 / 4)},
        {"early end marker.jpg", earlyEnd},
        {"empty.jpg", ""},
    };
    for (const auto& [name, content] : cases) {
        const fs::path file = folder / name;
        writeFile(file, content);
        auto image = renderPhoto(q(file), QSize(32, 24));
        ASSERT_FALSE(image) << name;
        EXPECT_TRUE(image.error().message.contains(q(file))) << image.error().message.toStdString();
    }
    auto missing = readPhotoHeader(q(folder / "missing.jpg"));
    ASSERT_FALSE(missing);
    EXPECT_TRUE(missing.error().message.contains(QStringLiteral("missing.jpg")));
}

TEST(RenderPhoto, GiantHeaderIsDecodedScaledInBoundedMemory) {
    TempDir tmp;
    const fs::path file = tmp.path() / "giant.jpg";
    writeFile(file, flatGiantJpeg(30000, 30000));
    auto header = readPhotoHeader(q(file));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->storedWidth, 30000);

    // Forget the peak so far (Linux: writing 5 to clear_refs resets VmHWM).
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = peakResidentKb();
    auto image = renderPhoto(q(file), QSize(400, 400));
    ASSERT_TRUE(image) << image.error().message.toStdString();
    EXPECT_EQ(image->size(), QSize(400, 400));
    EXPECT_TRUE(near(image->pixelColor(200, 200), QColor(128, 128, 128), 4));
    // A full-size bitmap would take 3.6 GB; the 1/8 decode reduced as it
    // comes takes a few MB.
    EXPECT_LT(peakResidentKb() - before, 100 * 1024);

    // A progressive photo keeps all its coefficients while it decodes: a
    // giant one is refused within the decoder's memory bound.
    const fs::path progressive = tmp.path() / "giant progressive.jpg";
    writeFile(progressive, flatGiantJpeg(30000, 30000, true));
    auto refused = renderPhoto(q(progressive), QSize(400, 400));
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().message.contains(q(progressive)));
    EXPECT_TRUE(refused.error().message.contains(QStringLiteral("too large")))
        << refused.error().message.toStdString();
    EXPECT_LT(peakResidentKb() - before, 200 * 1024);

    // A smaller progressive picture of the same making decodes.
    const fs::path small = tmp.path() / "small progressive.jpg";
    writeFile(small, flatGiantJpeg(2000, 1000, true));
    auto decoded = renderPhoto(q(small), QSize(200, 100));
    ASSERT_TRUE(decoded) << decoded.error().message.toStdString();
    EXPECT_TRUE(near(decoded->pixelColor(100, 50), QColor(128, 128, 128), 4));
}

TEST(RenderPhoto, BoxesWithThePhotosProportionsAreFilledExactly) {
    struct Case {
        QSize photo, box, expected;
    };
    const Case cases[] = {
        {{4000, 3000}, {150, 112}, {150, 112}},   {{3000, 4000}, {112, 150}, {112, 150}},
        {{4000, 1000}, {150, 150}, {150, 37}},    {{1000, 4000}, {150, 150}, {37, 150}},
        {{800, 600}, {1920, 1440}, {1920, 1440}},
    };
    for (const auto& c : cases) EXPECT_EQ(fittedRenderSize(c.photo, c.box), c.expected);
}

TEST(JpegWriter, SavesBaselineQuality90AndConvertsBitmaps) {
    TempDir tmp;
    const fs::path bitmap = tmp.path() / "capture.bmp";
    ASSERT_TRUE(quadrants(80, 60).save(q(bitmap), "BMP"));
    ASSERT_TRUE(convertToJpeg(bitmap, tmp.path() / "picture_1", QStringLiteral(".rar")));
    ASSERT_TRUE(convertToJpeg(bitmap, tmp.path() / "other.bmp", QStringLiteral(".rar")));
    const fs::path saved = tmp.path() / "picture_1.rar";
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_TRUE(fs::exists(tmp.path() / "other.rar"));

    const std::string bytes = readFile(saved);
    EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos) << "baseline frame";
    EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos) << "no progressive frame";
    auto image = renderPhoto(q(saved), QSize(80, 60));
    ASSERT_TRUE(image);
    expectQuadrants(*image, "converted");
    EXPECT_FALSE(convertToJpeg(tmp.path() / "none.bmp", tmp.path() / "x", QStringLiteral(".rar")));
}
