#include "templates/catalogue.h"

#include <gtest/gtest.h>

#include "package_writer.h"
#include "support/template_store.h"
#include "support/test_support.h"
#include "templates/bar_list.h"
#include "templates/ini_file.h"

using namespace orvane;
using orvane::testing::addTemplate;
using orvane::testing::TempDir;
using orvane::testing::TemplateSpec;

namespace {

TemplateSpec withOrientation(const char* orientation) {
    TemplateSpec spec;
    spec.orientation = QString::fromLatin1(orientation);
    return spec;
}

QStringList seqNos(const Table<TemplateEntry>& table) {
    QStringList out;
    for (const auto& row : table) out << row.seqNo;
    return out;
}

struct Store {
    TempDir tmp;
    WorkingFolder wf{tmp.path()};
    ProjectModel model;
    NullProgress progress;

    CatalogueReport build() { return buildCatalogue(model, wf, progress).value(); }
};

}  // namespace

TEST(BarList, Items) {
    const std::pair<const char*, QStringList> cases[] = {
        {"|800|600|", {"800", "600"}},
        {"x|heng|shu|y", {"heng", "shu"}},
        {"|heng|", {"heng"}},
        {"||", {""}},
        {"|only one bar", {}},
        {"", {}},
        {"no bars", {}},
    };
    for (const auto& [text, items] : cases)
        EXPECT_EQ(parseBarList(QString::fromLatin1(text)), items) << text;
}

TEST(Catalogue, ClassifiesAndCountsSlots) {
    Store s;
    addTemplate(s.wf, "t0", withOrientation("|heng|"));
    addTemplate(s.wf, "t1", withOrientation("|shu|shu|"));
    addTemplate(s.wf, "t2", withOrientation("|shuheng|"));
    addTemplate(s.wf, "t3", withOrientation("|heng|shu|"));
    addTemplate(s.wf, "t4", withOrientation("|heng|shuheng|"));
    addTemplate(s.wf, "t5", withOrientation(""));
    const auto report = s.build();
    EXPECT_TRUE(report.refused.empty());

    ASSERT_EQ(s.model.catalogue.size(), 6u);
    QStringList marks;
    for (const auto& row : s.model.catalogue) marks << row.categoryMark;
    EXPECT_EQ(marks, (QStringList{"heng", "shu", "shuheng", "gaojimoban", "gaojimoban", ""}));
    EXPECT_EQ(seqNos(s.model.catalogue), (QStringList{"0", "1", "2", "3", "4", "5"}));

    EXPECT_EQ(seqNos(s.model.landscapeTemplates), (QStringList{"0", "2"}));
    EXPECT_EQ(seqNos(s.model.portraitTemplates), (QStringList{"1", "2"}));
    EXPECT_EQ(seqNos(s.model.advancedTemplates), (QStringList{"3", "4"}));

    auto counts = [](const TemplateEntry& e) { return e.landscapeCount + "/" + e.portraitCount; };
    EXPECT_EQ(counts(s.model.landscapeTemplates.at(0)), "1/0");
    EXPECT_EQ(counts(s.model.landscapeTemplates.at(1)), "1/0");  // shuheng as landscape
    EXPECT_EQ(counts(s.model.portraitTemplates.at(0)), "0/2");
    EXPECT_EQ(counts(s.model.portraitTemplates.at(1)), "0/1");  // shuheng as portrait
    EXPECT_EQ(counts(s.model.advancedTemplates.at(0)), "1/1");
    EXPECT_EQ(counts(s.model.advancedTemplates.at(1)), "2/0");
}

TEST(Catalogue, RowsCarryTheIniValues) {
    Store s;
    TemplateSpec spec;
    spec.type = QStringLiteral("双张");
    spec.photoCount = QStringLiteral("2");
    spec.widths = QStringLiteral("|400|0|");
    spec.heights = QStringLiteral("|300|0|");
    spec.orientation = QStringLiteral("|shu|shu|");
    spec.jpgNames = QStringLiteral("|pa|pb|");
    spec.frameCount = QStringLiteral("300");
    addTemplate(s.wf, "only", spec);
    s.build();
    ASSERT_EQ(s.model.portraitTemplates.size(), 1u);
    const TemplateEntry& row = s.model.portraitTemplates.at(0);
    EXPECT_EQ(
        rowToTexts(row, classifiedTemplateFields()),
        (QStringList{"双张", "风景", "2", "|400|0|", "|300|0|", "|shu|shu|", "|pa|pb|",
                     toQString(s.wf.movieStore() / "only.rar"), "shu", "0", "0", "2", "300"}));
    // The parameter file is gone once read; the intermediates keep the 1-based names.
    EXPECT_FALSE(fs::exists(s.wf.parameterPayload(1)));
    EXPECT_TRUE(fs::exists(s.wf.parameterIntermediate(1, 22)));
}

TEST(Catalogue, EmptyOrMissingStoreGivesEmptyTables) {
    Store s;
    const auto report = s.build();
    EXPECT_TRUE(report.refused.empty());
    EXPECT_TRUE(s.model.catalogue.empty());
    EXPECT_TRUE(s.model.landscapeTemplates.empty());
    EXPECT_TRUE(fs::is_directory(s.wf.parameterUnpackFolder()));
}

TEST(Catalogue, ScanIsSortedDepthFirstAndTakesOnlyExactExtensions) {
    Store s;
    const fs::path store = s.wf.parameterStore();
    for (const char* name : {"b.rar", "A.RAR", "sub/c.rar", "sub/a.Rar", "z.txt", "a2/x.rar"})
        orvane::testing::writeFile(store / name, "");
    std::vector<std::string> names;
    for (const fs::path& p : scanPackages(store))
        names.push_back(p.lexically_relative(store).generic_string());
    EXPECT_EQ(names, (std::vector<std::string>{"A.RAR", "a2/x.rar", "b.rar", "sub/c.rar"}));
}

TEST(Catalogue, UnpairedPackagesAreRefusedAndPairsKept) {
    Store s;
    addTemplate(s.wf, "a", withOrientation("|heng|"));
    addTemplate(s.wf, "b", withOrientation("|shu|"));
    // A third parameter package without its movie.
    packing::writePackage(s.wf.parameterStore() / "c.rar", {'x'});
    const auto report = s.build();
    ASSERT_EQ(report.refused.size(), 1u);
    EXPECT_TRUE(report.refused[0].package.endsWith(QStringLiteral("wjj_02/c.rar")));
    EXPECT_EQ(s.model.catalogue.size(), 2u);
    EXPECT_EQ(s.model.catalogueScan.foundPackages.size(), 5);
    EXPECT_EQ(s.model.catalogueScan.pairingRows, (QStringList{"1=   0   1", "2=   2   3"}));

    // More movies than parameters.
    Store t;
    addTemplate(t.wf, "a", withOrientation("|heng|"));
    packing::writePackage(t.wf.movieStore() / "b.rar", {'x'});
    packing::writePackage(t.wf.movieStore() / "c.rar", {'x'});
    const auto second = t.build();
    EXPECT_EQ(second.refused.size(), 2u);
    EXPECT_EQ(t.model.catalogue.size(), 1u);
}

TEST(Catalogue, BadTemplatesAreRefusedAndTheBuildGoesOn) {
    Store s;
    addTemplate(s.wf, "1", withOrientation("|heng|"));
    TemplateSpec noMarker = withOrientation("|heng|");
    noMarker.marker = false;
    addTemplate(s.wf, "2", noMarker);
    addTemplate(s.wf, "3", withOrientation("|shu|"));
    // Template 4's parameter package is not a package at all.
    addTemplate(s.wf, "4", withOrientation("|shu|"));
    orvane::testing::writeFile(s.wf.parameterStore() / "4.rar", "garbage, not zlib layers");
    addTemplate(s.wf, "5", withOrientation("|shu|"));

    const auto report = s.build();
    ASSERT_EQ(report.refused.size(), 2u);
    EXPECT_TRUE(report.refused[0].package.endsWith(QStringLiteral("2.rar")));
    EXPECT_TRUE(report.refused[0].reason.contains(QStringLiteral("marker")));
    EXPECT_TRUE(report.refused[1].package.endsWith(QStringLiteral("4.rar")));
    // The others keep their place numbers in the store.
    EXPECT_EQ(seqNos(s.model.catalogue), (QStringList{"0", "2", "4"}));
}

TEST(IniFile, ReadsLikeThePlatform) {
    const QByteArray text =
        "\xEF\xBB\xBF; comment\r\n[L_X_W_J_S_Y]\r\n L_x_w_j_s_y = s_y_l_x \r\n"
        "[1]\r\nMBLX=\"quoted\"\r\nmbfl=first\r\nmbfl=second\r\nlong=" +
        QByteArray(3000, 'a') + "\r\n";
    const IniFile ini = IniFile::fromBytes(text);
    EXPECT_EQ(ini.value("l_x_w_j_s_y", "l_x_w_j_s_y"), "s_y_l_x");
    EXPECT_EQ(ini.value("1", "mblx"), "quoted");
    EXPECT_EQ(ini.value("1", "mbfl"), "first");
    EXPECT_EQ(ini.value("1", "missing"), "");
    EXPECT_EQ(ini.value("2", "mblx"), "");
    EXPECT_EQ(ini.value("1", "long").size(), kMaxIniValueLength);
}

TEST(IniFile, ReadsGbkText) {
    const QByteArray gbk = QByteArray("[1]\r\nmbfl=") + QByteArray("\xB7\xE7\xBE\xB0") + "\r\n";
    EXPECT_EQ(IniFile::fromBytes(gbk).value("1", "mbfl"), "风景");
}
