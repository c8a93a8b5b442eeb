// The shipped template store: every template's packages unpack, their INI
// files carry the marker and consistent slot lists, the movies are SWF
// files whose frame count is the INI's, and the catalogue built over the
// store lists the templates in the landscape, portrait and advanced tables.

#include <gtest/gtest.h>

#include <QFile>
#include <set>

#include "base/project_model.h"
#include "base/working_folder.h"
#include "store_support.h"
#include "support/test_support.h"
#include "templates/bar_list.h"
#include "templates/catalogue.h"
#include "templates/ini_file.h"

using namespace orvane;
using orvane::testing::TempDir;

namespace {

struct SwfHeader {
    int version = 0, width = 0, height = 0, frameRate = 0, frameCount = 0;
};

// Reads the header of a plain SWF file on its own, without the player.
std::optional<SwfHeader> readSwfHeader(const Bytes& b) {
    if (b.size() < 21 || b[0] != 'F' || b[1] != 'W' || b[2] != 'S') return std::nullopt;
    SwfHeader h;
    h.version = b[3];
    const int n = b[8] >> 3;
    auto field = [&](int index) {  // index-th SB[n] after the 5-bit size
        std::int64_t v = 0;
        for (int i = 0; i < n; ++i) {
            const int bit = 5 + index * n + i;
            v = (v << 1) | ((b[8 + bit / 8] >> (7 - bit % 8)) & 1);
        }
        if (n > 0 && (v >> (n - 1)) & 1) v -= std::int64_t{1} << n;
        return static_cast<int>(v);
    };
    h.width = (field(1) - field(0)) / 20;
    h.height = (field(3) - field(2)) / 20;
    const std::size_t after = 8 + (5 + 4 * n + 7) / 8;
    h.frameRate = b[after + 1];
    h.frameCount = b[after + 2] | b[after + 3] << 8;
    return h;
}

QStringList items(const IniFile& ini, const char* key) {
    return parseBarList(ini.value(QStringLiteral("1"), QString::fromLatin1(key)));
}

}  // namespace

TEST(ShippedStore, HoldsSixtyPairedTemplatesAndTheEndingMovie) {
    const auto templates = orvane::testing::shippedTemplates();
    EXPECT_GE(templates.size(), 60u);
    for (const auto& t : templates)
        EXPECT_TRUE(fs::exists(t.parameterPackage)) << t.name << " has no parameter package";
    const fs::path base = orvane::testing::storeRoot() / "smxcwjj";
    EXPECT_TRUE(fs::is_directory(base / "tp_load"));
    EXPECT_TRUE(fs::is_directory(base / "tp_0"));

    TempDir tmp;
    const Bytes ending =
        orvane::testing::unpackToMemory(base / "wj_0_or_1" / "wj_1.rar", tmp.path());
    const auto header = readSwfHeader(ending);
    ASSERT_TRUE(header.has_value()) << "the ending movie is not a SWF file";
    EXPECT_EQ(header->frameRate, 25);
    EXPECT_GE(header->frameCount, 100);
}

TEST(ShippedStore, EveryTemplateUnpacksWithAConsistentIniAndMovie) {
    const auto templates = orvane::testing::shippedTemplates();
    ASSERT_FALSE(templates.empty());
    TempDir tmp;
    const std::set<QString> orientations = {"heng", "shu", "shuheng"};
    for (const auto& t : templates) {
        SCOPED_TRACE(t.name);
        const Bytes iniBytes =
            orvane::testing::unpackToMemory(t.parameterPackage, tmp.path() / "ini");
        const IniFile ini =
            IniFile::fromBytes(QByteArray(reinterpret_cast<const char*>(iniBytes.data()),
                                          static_cast<qsizetype>(iniBytes.size())));
        EXPECT_EQ(ini.value(QStringLiteral("l_x_w_j_s_y"), QStringLiteral("l_x_w_j_s_y")),
                  QStringLiteral("s_y_l_x"));
        EXPECT_FALSE(ini.value(QStringLiteral("1"), QStringLiteral("mblx")).isEmpty());
        EXPECT_FALSE(ini.value(QStringLiteral("1"), QStringLiteral("mbfl")).isEmpty());

        bool ok = false;
        const int count = ini.value(QStringLiteral("1"), QStringLiteral("xpsl")).toInt(&ok);
        ASSERT_TRUE(ok);
        ASSERT_GE(count, 1);
        const QStringList widths = items(ini, "xpkd"), heights = items(ini, "xpgd");
        const QStringList kinds = items(ini, "szhz"), names = items(ini, "xpjpgmc");
        ASSERT_EQ(widths.size(), count);
        ASSERT_EQ(heights.size(), count);
        ASSERT_EQ(kinds.size(), count);
        ASSERT_EQ(names.size(), count);
        for (int k = 0; k < count; ++k) {
            const int w = widths[k].toInt(&ok);
            EXPECT_TRUE(ok);
            const int h = heights[k].toInt(&ok);
            EXPECT_TRUE(ok);
            EXPECT_EQ(w == 0, h == 0) << "slot " << k + 1 << " is neither sized nor full-screen";
            EXPECT_TRUE(orientations.contains(kinds[k])) << kinds[k].toStdString();
            EXPECT_EQ(names[k], QStringLiteral("picture_%1").arg(k + 1));
            // A slot's orientation matches its size.
            if (w > 0 && kinds[k] == u"heng") {
                EXPECT_GT(w, h);
            }
            if (w > 0 && kinds[k] == u"shu") {
                EXPECT_LT(w, h);
            }
        }

        const int frames = ini.value(QStringLiteral("1"), QStringLiteral("mbdx")).toInt(&ok);
        ASSERT_TRUE(ok);
        EXPECT_GE(frames, 6 * 25);
        EXPECT_LE(frames, 12 * 25);

        const Bytes movie = orvane::testing::unpackToMemory(t.moviePackage, tmp.path() / "swf");
        const auto header = readSwfHeader(movie);
        ASSERT_TRUE(header.has_value()) << "the movie is not a SWF file";
        EXPECT_EQ(header->version, 8);
        EXPECT_EQ(header->width, 1920);
        EXPECT_EQ(header->height, 1080);
        EXPECT_EQ(header->frameRate, 25);
        EXPECT_EQ(header->frameCount, frames);
        EXPECT_LT(movie.size(), 1'000'000u) << "keep the movies small";
    }
}

TEST(ShippedStore, CatalogueListsTheTemplatesInEveryTable) {
    // Build the catalogue over a copy, so the build tree's store stays as built.
    TempDir tmp;
    const WorkingFolder folder(tmp.path());
    fs::create_directories(folder.base());
    fs::copy(orvane::testing::storeRoot() / "smxcwjj" / "wj_0_or_2", folder.base() / "wj_0_or_2",
             fs::copy_options::recursive);
    ProjectModel model;
    NullProgress progress;
    const CatalogueReport report = buildCatalogue(model, folder, progress).value();
    EXPECT_TRUE(report.refused.empty());
    EXPECT_GE(model.catalogue.size(), 60u);
    EXPECT_EQ(model.catalogue.size(), orvane::testing::shippedTemplates().size());

    // What the store promises: single-photo landscape, portrait and either-way
    // templates with a slot size and full-screen, several multi-photo layouts
    // of each orientation, and mixed ones.
    int marks[4][5] = {};  // heng, shu, shuheng, gaojimoban × slot count 1..4+
    int fullScreen[3] = {};
    for (const TemplateEntry& row : model.catalogue) {
        const int kind = row.categoryMark == u"heng"      ? 0
                         : row.categoryMark == u"shu"     ? 1
                         : row.categoryMark == u"shuheng" ? 2
                                                          : 3;
        const int slots = std::min(row.photoCount.toInt(), 4);
        ++marks[kind][slots];
        if (kind < 3 && row.photoWidth == u"|0|") ++fullScreen[kind];
        // The movie package paired with this INI has the INI's name.
        EXPECT_TRUE(row.location.endsWith(QStringLiteral(".rar")));
    }
    for (int kind = 0; kind < 2; ++kind)
        for (int slots = 1; slots <= 4; ++slots)
            EXPECT_GE(marks[kind][slots], 1) << "kind " << kind << ", " << slots << " slots";
    EXPECT_GE(marks[2][1], 2);
    EXPECT_GE(marks[3][2] + marks[3][3] + marks[3][4], 2);
    for (int kind = 0; kind < 3; ++kind) EXPECT_GE(fullScreen[kind], 1) << "kind " << kind;

    // An album of forty photos should rarely meet a template twice.
    EXPECT_GE(model.landscapeTemplates.size(), 25u);
    EXPECT_GE(model.portraitTemplates.size(), 20u);
    EXPECT_GE(model.advancedTemplates.size(), 6u);
    // Each parameter package is paired with the movie package of the same name.
    for (const TemplateEntry& row : model.catalogue) {
        const int i = row.seqNo.toInt();
        EXPECT_EQ(toPath(model.catalogueScan.parameterPackages[i]).filename(),
                  toPath(row.location).filename());
    }
}
