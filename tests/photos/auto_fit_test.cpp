#include "photos/auto_fit.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

using namespace orvane;

namespace {

const QString H = kLandscape;
const QString S = kPortrait;

TemplateEntry templ(const char* seqNo, int photos, const QString& orientation) {
    TemplateEntry t;
    t.seqNo = QString::fromLatin1(seqNo);
    t.photoCount = QString::number(photos);
    t.location = QStringLiteral("/store/t%1.rar").arg(t.seqNo);
    t.frameCount = QStringLiteral("250");
    QString widths = "|", heights = "|", orient = "|", names = "|";
    for (int k = 1; k <= photos; ++k) {
        widths += QString::number(800 + k) + "|";
        heights += QString::number(600 + k) + "|";
        orient += (orientation == H ? QStringLiteral("heng") : QStringLiteral("shu")) + "|";
        names += QStringLiteral("pic%1|").arg(k);
    }
    t.photoWidth = widths;
    t.photoHeight = heights;
    t.orientation = orient;
    t.jpgName = names;
    t.landscapeCount = QString::number(orientation == H ? photos : 0);
    t.portraitCount = QString::number(orientation == S ? photos : 0);
    return t;
}

ProjectModel modelWith(std::vector<TemplateEntry> landscape, std::vector<TemplateEntry> portrait,
                       const std::vector<QString>& batch, std::uint64_t seed = 1) {
    ProjectModel model;
    for (auto& t : landscape) model.landscapeTemplates.append(t);
    for (auto& t : portrait) model.portraitTemplates.append(t);
    for (const QString& orientation : batch) {
        PhotoEntry p;
        p.location = QStringLiteral("/photos/p%1.jpg").arg(model.photoWorking.count() + 1);
        p.orientation = orientation;
        p.width = orientation == H ? "400" : "300";
        p.height = orientation == H ? "300" : "400";
        model.photoWorking.append(p);
    }
    model.random.reseed(seed);
    return model;
}

QStringList column(const Table<PhotoEntry>& table, QString PhotoEntry::*field) {
    QStringList out;
    for (const auto& row : table) out << row.*field;
    return out;
}

QStringList seqNos(const Table<TemplateEntry>& pool) {
    QStringList out;
    for (const auto& row : pool) out << row.seqNo + "@" + row.classifiedRow;
    return out;
}

class CountingProgress : public Progress {
   public:
    void advance(int steps) override { count += steps; }
    int count = 0;
};

}  // namespace

TEST(AutoFit, PoolsFollowTheBatchSize) {
    ProjectModel model = modelWith({templ("0", 1, H), templ("1", 2, H), templ("2", 3, H)},
                                   {templ("3", 2, S), templ("4", 1, S)}, {});
    struct Case {
        int n;
        QStringList landscape, portrait, landscapeSingle, portraitSingle;
    };
    const Case cases[] = {
        {4, {"0@0"}, {"4@1"}, {}, {}},
        {5, {"0@0", "1@1"}, {"3@0", "4@1"}, {"0@0"}, {"4@1"}},
        {11, {"0@0", "1@1"}, {"3@0", "4@1"}, {"0@0"}, {"4@1"}},
        {12, {"0@0", "1@1", "2@2"}, {"3@0", "4@1"}, {"0@0"}, {"4@1"}},
    };
    for (const Case& c : cases) {
        rebuildPools(model, c.n);
        EXPECT_EQ(seqNos(model.landscapePool), c.landscape) << c.n;
        EXPECT_EQ(seqNos(model.portraitPool), c.portrait) << c.n;
        EXPECT_EQ(seqNos(model.landscapePoolSingle), c.landscapeSingle) << c.n;
        EXPECT_EQ(seqNos(model.portraitPoolSingle), c.portraitSingle) << c.n;
    }
}

TEST(AutoFit, SmallBatchTakesSingleTemplatesOnly) {
    ProjectModel model =
        modelWith({templ("0", 1, H), templ("1", 2, H)}, {templ("2", 1, S)}, {H, S, H, H});
    model.templateInstanceCount = "3";  // a second batch continues the numbering
    CountingProgress progress;
    const AutoFitReport report = runAutoFit(model, progress);
    EXPECT_TRUE(report.unplaced.empty());
    EXPECT_EQ(progress.count, 4);
    EXPECT_EQ(column(model.photos, &PhotoEntry::templateFolder), (QStringList{"4", "5", "6", "7"}));
    EXPECT_EQ(column(model.photos, &PhotoEntry::testImageName), QStringList(4, "picture_1"));
    EXPECT_EQ(column(model.photos, &PhotoEntry::mainTemplateNo), (QStringList{"0", "2", "0", "0"}));
    EXPECT_EQ(model.templateInstanceCount, "7");

    const PhotoEntry& first = model.photos.at(0);
    EXPECT_EQ(first.index, "1");
    EXPECT_EQ(first.imageName, "picture_1");
    EXPECT_EQ(first.templatePhotoCount, "1");
    EXPECT_EQ(first.templatePath, "/store/t0.rar");
    EXPECT_EQ(first.requiredWidth, "801");
    EXPECT_EQ(first.requiredHeight, "601");
    EXPECT_EQ(first.slotWidth, "|801|");
    EXPECT_EQ(first.slotOrientation, "|heng|");
    EXPECT_EQ(first.slotJpgName, "|pic1|");
    EXPECT_EQ(first.templateFrameCount, "250");
    EXPECT_EQ(first.thumbnailState, PhotoStep::Pending);
    EXPECT_EQ(first.cropState, PhotoStep::Pending);
}

TEST(AutoFit, SixPhotoWalkSharesTwoSlotTemplates) {
    // Only two-slot landscape templates: every landscape draw fills one.
    ProjectModel model = modelWith({templ("0", 2, H)}, {templ("1", 1, S)}, {H, S, H, H, S, H});
    NullProgress progress;
    runAutoFit(model, progress);
    EXPECT_EQ(column(model.photos, &PhotoEntry::templateFolder),
              (QStringList{"1", "2", "1", "3", "4", "3"}));
    EXPECT_EQ(column(model.photos, &PhotoEntry::imageName),
              (QStringList{"picture_1", "picture_1", "picture_2", "picture_1", "picture_1",
                           "picture_2"}));
    EXPECT_EQ(column(model.photos, &PhotoEntry::testImageName),
              (QStringList{"picture_1  heng", "picture_1s", "picture_2  heng", "picture_1  heng",
                           "picture_1s", "picture_2  heng"}));
    EXPECT_EQ(column(model.photos, &PhotoEntry::requiredWidth),
              (QStringList{"801", "801", "802", "801", "801", "802"}));
    EXPECT_EQ(column(model.photos, &PhotoEntry::location).first(3),
              (QStringList{"/photos/p1.jpg", "/photos/p2.jpg", "/photos/p3.jpg"}));
    EXPECT_EQ(model.templateInstanceCount, "4");
}

TEST(AutoFit, LandscapeNeedsAsManyPhotosAsSlotsButPortraitNeedsMore) {
    // Two open photos of each orientation meet a two-slot template: a
    // landscape photo fills it, a portrait photo falls back to a single one.
    bool landscapeFilled = false, portraitFellBack = false;
    for (std::uint64_t seed = 0; seed < 24; ++seed) {
        ProjectModel model = modelWith({templ("0", 2, H), templ("1", 1, H)},
                                       {templ("2", 2, S), templ("3", 1, S)}, {H, H, S, S, H}, seed);
        // Three landscape photos: take the case where photo 1 sees only two open.
        model.photoWorking.at(4).orientation = S;
        NullProgress progress;
        runAutoFit(model, progress);
        const auto markers = column(model.photos, &PhotoEntry::testImageName);
        EXPECT_TRUE(markers[0] == "picture_1h" || markers[0] == "picture_1  heng")
            << markers[0].toStdString();
        if (markers[0] == "picture_1  heng") {
            landscapeFilled = true;
            EXPECT_EQ(markers[1], "picture_2  heng");
            EXPECT_EQ(model.photos.at(1).templateFolder, model.photos.at(0).templateFolder);
        }
        // Photo 3 sees three open portrait photos: a two-slot draw is filled.
        EXPECT_TRUE(markers[2] == "picture_1s" || markers[2] == "picture_1  shu")
            << markers[2].toStdString();
        // Photo 4 or 5 may then see exactly two open portrait photos.
        for (int p : {3, 4}) {
            EXPECT_NE(markers[p], "picture_1  shu");
            if (markers[p] == "picture_1sh不成立") {
                portraitFellBack = true;
                EXPECT_EQ(model.photos.at(p).mainTemplateNo, "3");
            }
        }
    }
    EXPECT_TRUE(landscapeFilled);
    EXPECT_TRUE(portraitFellBack);
}

TEST(AutoFit, EmptyPoolLeavesThePhotoOutAndGoesOn) {
    ProjectModel model = modelWith({templ("0", 1, H)}, {}, {H, S, H});
    NullProgress progress;
    const AutoFitReport report = runAutoFit(model, progress);
    ASSERT_EQ(report.unplaced.size(), 1u);
    EXPECT_TRUE(report.unplaced[0].contains("没有找到合适的模板"));
    EXPECT_TRUE(report.unplaced[0].contains("/photos/p2.jpg"));
    EXPECT_TRUE(report.unplaced[0].contains("竖照片"));
    EXPECT_EQ(column(model.photos, &PhotoEntry::location),
              (QStringList{"/photos/p1.jpg", "/photos/p3.jpg"}));
    EXPECT_EQ(column(model.photos, &PhotoEntry::templateFolder), (QStringList{"1", "2"}));
    EXPECT_EQ(column(model.photos, &PhotoEntry::index), (QStringList{"1", "2"}));
}

TEST(AutoFit, FailedFallbackPhotoIsNotTakenByALaterWalk) {
    // No single landscape template: photo 1 cannot fall back; photos 3 and 5
    // later fill the two-slot template without it.
    ProjectModel model = modelWith({templ("0", 2, H)}, {templ("1", 1, S)}, {H, S, S, S, S});
    model.photoWorking.at(2).orientation = H;
    model.photoWorking.at(1).orientation = S;
    // Batch H S H S S: photo 1 sees two open landscape photos and fills.
    NullProgress progress;
    runAutoFit(model, progress);
    EXPECT_EQ(column(model.photos, &PhotoEntry::testImageName).first(3),
              (QStringList{"picture_1  heng", "picture_1s", "picture_2  heng"}));

    ProjectModel lonely = modelWith({templ("0", 2, H)}, {templ("1", 1, S)}, {H, S, S, S, S});
    const AutoFitReport report = runAutoFit(lonely, progress);
    EXPECT_EQ(report.unplaced.size(), 1u);
    EXPECT_EQ(lonely.photos.size(), 4u);
}

TEST(AutoFit, SameSeedSameAssignment) {
    auto run = [](std::uint64_t seed) {
        ProjectModel model = modelWith(
            {templ("0", 1, H), templ("1", 1, H), templ("2", 2, H), templ("3", 3, H)},
            {templ("4", 1, S), templ("5", 2, S)}, {H, S, H, H, S, H, H, S, H, H, H, S, H}, seed);
        NullProgress progress;
        runAutoFit(model, progress);
        return column(model.photos, &PhotoEntry::mainTemplateNo).join(",") + "/" +
               column(model.photos, &PhotoEntry::testImageName).join(",");
    };
    EXPECT_EQ(run(7), run(7));
    EXPECT_NE(run(7), run(8));
}
