#include "staged_template.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "templates/bar_list.h"
#include "templates/ini_file.h"

namespace orvane::testing {
namespace {

void writeJpeg(const fs::path& path, int w, int h, const QColor& colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "JPG", 90)) << path;
}

}  // namespace

TemplateParameters readParameters(const ShippedTemplate& t, const fs::path& scratch) {
    if (t.parameterPackage.empty()) return {};
    const Bytes bytes = unpackToMemory(t.parameterPackage, scratch);
    const IniFile ini = IniFile::fromBytes(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<qsizetype>(bytes.size())));
    const QString section = QStringLiteral("1");
    TemplateParameters p;
    p.frames = ini.value(section, QStringLiteral("mbdx")).toInt();
    p.widths = parseBarList(ini.value(section, QStringLiteral("xpkd")));
    p.heights = parseBarList(ini.value(section, QStringLiteral("xpgd")));
    p.orientations = parseBarList(ini.value(section, QStringLiteral("szhz")));
    return p;
}

fs::path stageTemplate(const ShippedTemplate& t, const TemplateParameters& p, const fs::path& root,
                       const QColor& transitionColour, const std::vector<QColor>& slotColours) {
    const fs::path folder = root / "tp_wjj" / "tp_wjj" / "tp_wjj_1";
    const fs::path pic = root / "tp_wjj" / "pic";
    fs::create_directories(folder);
    fs::create_directories(pic);
    const Bytes movie = unpackToMemory(t.moviePackage, root / "layers");
    const fs::path moviePath = folder / "w_j_1.rar";
    EXPECT_TRUE(writeWholeFile(moviePath, movie).has_value());
    writeJpeg(pic / "picture_0.rar", 1920, 1080, transitionColour);
    for (int k = 0; k < p.slotCount(); ++k) {
        int w = p.widths[k].toInt(), h = p.heights[k].toInt();
        // A full-screen slot gets the canvas staging makes: the stage, or a
        // square for a portrait photo.
        if (w == 0 || h == 0) {
            w = p.orientations[k] == u"shu" ? 1080 : 1920;
            h = 1080;
        }
        writeJpeg(folder / ("picture_" + std::to_string(k + 1) + ".rar"), w, h,
                  slotColours.at(static_cast<std::size_t>(k)));
    }
    return moviePath;
}

double differingShare(const QImage& a, const QImage& b, int tolerance) {
    if (a.size() != b.size() || a.isNull()) return 1.0;
    const QImage ca = a.convertToFormat(QImage::Format_RGB32);
    const QImage cb = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int y = 0; y < ca.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(ca.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(cb.constScanLine(y));
        for (int x = 0; x < ca.width(); ++x) {
            if (std::abs(qRed(la[x]) - qRed(lb[x])) > tolerance ||
                std::abs(qGreen(la[x]) - qGreen(lb[x])) > tolerance ||
                std::abs(qBlue(la[x]) - qBlue(lb[x])) > tolerance)
                ++differing;
        }
    }
    return static_cast<double>(differing) / (static_cast<double>(ca.width()) * ca.height());
}

}  // namespace orvane::testing
