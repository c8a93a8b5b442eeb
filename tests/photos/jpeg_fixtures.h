#pragma once
// Small JPEG fixtures made by the tests: chosen colour space, progressive
// coding and EXIF orientation, and a giant picture written by hand.

#include <QColor>
#include <QImage>
#include <filesystem>
#include <string>

namespace orvane::testing {

enum class JpegColor { Rgb, Gray, AdobeCmyk };

struct JpegOptions {
    JpegColor color = JpegColor::Rgb;
    bool progressive = false;
    int orientation = 0;  // EXIF orientation tag, 0 for none
    int quality = 90;
};

std::string encodeTestJpeg(const QImage& image, const JpegOptions& options = {});
void writeJpeg(const std::filesystem::path& path, const QImage& image,
               const JpegOptions& options = {});

// A picture in four coloured quarters: red, green / blue, yellow.
QImage quadrants(int width, int height);
inline const QColor kQuadrantColors[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};

// A flat grey baseline JPEG of width × height whose entropy data is written
// directly (two bits a block), so that a giant picture costs little to make.
// Progressive: a single DC scan.
std::string flatGiantJpeg(int width, int height, bool progressive = false);

// True when the colours are within `tolerance` on every channel.
bool near(QColor a, QColor b, int tolerance = 40);

}  // namespace orvane::testing
