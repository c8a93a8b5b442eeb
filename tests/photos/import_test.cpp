#include <gtest/gtest.h>

#include <map>

#include "jpeg_fixtures.h"
#include "package_writer.h"
#include "photos/photo_import.h"
#include "photos/photo_removal.h"
#include "photos/photo_render.h"
#include "photos/staging.h"
#include "support/template_store.h"
#include "support/test_support.h"
#include "templates/catalogue.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

QString q(const fs::path& p) { return toQString(p); }

class RecordingProgress : public Progress {
   public:
    void start(int steps, const QString& = {}) override { total = steps; }
    void advance(int steps) override { done += steps; }
    int total = -1;
    int done = 0;
};

TemplateSpec single(const char* w, const char* h, const char* orientation, const char* movie) {
    TemplateSpec templ;
    templ.widths = QString::fromLatin1(w);
    templ.heights = QString::fromLatin1(h);
    templ.orientation = QString::fromLatin1(orientation);
    templ.movie = QByteArray(movie);
    return templ;
}

TemplateSpec twoSlots(const char* movie) {
    TemplateSpec templ = single("|800|800|", "|600|600|", "|heng|heng|", movie);
    templ.photoCount = "2";
    templ.jpgNames = "|a|b|";
    return templ;
}

QImage solid(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A project in a temporary root with a small template store.
struct Project {
    TempDir tmp;
    WorkingFolder wf{tmp.path()};
    ProjectModel model;
    fs::path photos = tmp.path() / "photos";

    void buildStore() {
        fs::create_directories(wf.endingPackage().parent_path());
        packing::writePackage(wf.endingPackage(), packing::Bytes{'e', 'n', 'd'});
        NullProgress progress;
        ASSERT_TRUE(buildCatalogue(model, wf, progress));
        wf.cleanAtStart();
    }

    QString photo(const std::string& name, const QImage& image, JpegOptions options = {}) {
        writeJpeg(photos / name, image, options);
        return q(photos / name);
    }

    Result<ImportReport> import(const QStringList& files) {
        NullProgress progress;
        return importPhotos(model, wf, files, progress);
    }

    QSize pictureSize(const fs::path& file) {
        auto header = readPhotoHeader(q(file));
        return header ? QSize(header->storedWidth, header->storedHeight) : QSize();
    }

    QColor pictureColour(const fs::path& file, QPoint at) {
        QImage image;
        image.load(q(file), "JPEG");
        return image.pixelColor(at);
    }

    // Every file of the working folder but the template store, with its size
    // and a hash of its content.
    std::map<std::string, std::string> tree() const {
        std::map<std::string, std::string> out;
        for (const auto& entry : fs::recursive_directory_iterator(wf.base())) {
            const std::string rel = entry.path().lexically_relative(wf.base()).generic_string();
            if (rel.starts_with("wj_0_or_2")) continue;
            const std::string content = entry.is_directory() ? "" : readFile(entry.path());
            out[rel] = entry.is_directory() ? "folder"
                                            : std::to_string(content.size()) + " bytes, hash " +
                                                  std::to_string(std::hash<std::string>{}(content));
        }
        return out;
    }
};

QStringList column(const ProjectModel& model, QString PhotoEntry::*field) {
    QStringList out;
    for (const auto& row : model.photos) out << row.*field;
    return out;
}

QStringList allTexts(const ProjectModel& model) {
    QStringList out;
    for (const auto& row : model.photos) out << rowToTexts(row, photoFields());
    for (const auto* pool : {&model.landscapePool, &model.portraitPool})
        for (const auto& row : *pool) out << rowToTexts(row, poolTemplateFields());
    out << model.templateInstanceCount << model.unpackCounter << model.stagingReset;
    for (const auto& row : model.photoWorking) out << rowToTexts(row, photoWorkingFields());
    return out;
}

}  // namespace

TEST(PhotoImport, MeasuresClassifiesFitsStagesAndThumbnails) {
    Project p;
    addTemplate(p.wf, "a_land", single("|800|600|", "|600|", "|heng|", "landscape movie"));
    addTemplate(p.wf, "b_port", single("|600|", "|800|", "|shu|", "portrait movie"));
    p.buildStore();
    ASSERT_EQ(p.model.landscapeTemplates.size(), 1u);

    const QStringList files = {
        p.photo("land.jpg", quadrants(400, 300)),
        p.photo("IMG.JPG", quadrants(300, 400)),
        p.photo("upright by tag.jpg", quadrants(4000, 3000), {.orientation = 6}),
        p.photo("square.jpg", quadrants(200, 200)),
    };
    RecordingProgress progress;
    auto report = importPhotos(p.model, p.wf, files, progress);
    ASSERT_TRUE(report) << report.error().message.toStdString();
    EXPECT_TRUE(report->unplaced.empty());
    EXPECT_EQ(progress.total, 16);
    EXPECT_EQ(progress.done, 16);

    ASSERT_EQ(p.model.photos.size(), 4u);
    const QStringList first = rowToTexts(p.model.photos.at(0), photoFields());
    const QString movie = q(p.wf.movieStore() / "a_land.rar");
    EXPECT_EQ(first, (QStringList{"1",           files[0],     "land",   ".jpg",        "400",
                                  "300",         "heng_zhao",  "1",      "0",           "picture_1",
                                  "1",           "picture_1",  movie,    "800",         "600",
                                  "|800|600|",   "|600|",      "|heng|", "|picture_1|", "250",
                                  "jiancai_yes", "jiancai_yes"}));
    EXPECT_EQ(column(p.model, &PhotoEntry::orientation),
              (QStringList{"heng_zhao", "shu_zhao", "shu_zhao", "heng_zhao"}));
    EXPECT_EQ(column(p.model, &PhotoEntry::width), (QStringList{"400", "300", "3000", "200"}));
    EXPECT_EQ(column(p.model, &PhotoEntry::height), (QStringList{"300", "400", "4000", "200"}));
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(p.model.templateInstanceCount, "4");

    const PhotoEntry& img = p.model.photos.at(1);
    EXPECT_EQ(img.fileName, "IMG");
    EXPECT_EQ(img.fileType, ".JPG");
    EXPECT_EQ(photoListRow(img), (QStringList{"2", "IMG", ".jpg", "300", "400", "竖照片", "已绑定",
                                              files[1].toLower()}));

    // Movies, the ending movie, slot pictures of the slot's size.
    EXPECT_EQ(readFile(p.wf.instanceMovie(1)), "landscape movie");
    EXPECT_EQ(readFile(p.wf.instanceMovie(2)), "portrait movie");
    EXPECT_EQ(readFile(p.wf.endingMovie()), "end");
    EXPECT_EQ(p.pictureSize(p.wf.instancePicture(1, 1)), QSize(800, 600));
    EXPECT_EQ(p.pictureSize(p.wf.instancePicture(3, 1)), QSize(600, 800));
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(1, 1), {100, 100}), Qt::red));
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(1, 1), {700, 500}), Qt::yellow));
    // The photo turned upright by its tag: its stored left column is now the top.
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(3, 1), {100, 100}), Qt::blue));

    // Thumbnails: 150 × 112 for a 4:3 landscape photo plus the white border.
    const std::pair<int, QSize> thumbs[] = {
        {1, {158, 120}}, {2, {120, 158}}, {3, {120, 158}}, {4, {158, 158}}};
    for (const auto& [n, size] : thumbs) {
        QImage thumb(q(p.wf.thumbnail(1, n)), "BMP");
        EXPECT_EQ(thumb.size(), size) << n;
        EXPECT_EQ(thumb.pixelColor(1, 1), QColor(Qt::white)) << n;
    }
}

TEST(PhotoImport, FullScreenSlotsFollowTheCropSettings) {
    Project p;
    addTemplate(p.wf, "full", single("|0|", "|0|", "|shuheng|", "full screen movie"));
    p.buildStore();
    const QString panorama = p.photo("pano.jpg", solid(800, 200, Qt::green));
    const QString portrait = p.photo("tall.jpg", solid(300, 400, Qt::blue));
    p.model.settings.portraitCrop = PortraitCrop::TemplateDefault;
    ASSERT_TRUE(p.import({panorama, portrait}));

    // Full screen: 1920 × 480 on 1920 × 1080, a black band below.
    EXPECT_EQ(p.pictureSize(p.wf.instancePicture(1, 1)), QSize(1920, 1080));
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(1, 1), {960, 200}), Qt::green));
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(1, 1), {960, 900}), Qt::black, 10));
    EXPECT_EQ(p.pictureSize(p.wf.instancePicture(2, 1)), QSize(810, 1080));
    // Each photo keeps the styles it was staged with, for staging it again.
    for (const PhotoEntry& photo : p.model.photos)
        EXPECT_EQ(photo.stagedCrop,
                  (CropStyles{LandscapeCrop::FullScreen, PortraitCrop::TemplateDefault}));
}

TEST(PhotoImport, FailedRunLeavesTheProjectAsItWas) {
    const std::pair<const char*, std::string> bad[] = {
        {"not a photo.jpg", "this is a text file"},
        {"empty.jpg", ""},
        {"truncated.jpg", ""},  // filled below from a real photo
    };
    for (const auto& [name, content] : bad) {
        Project p;
        addTemplate(p.wf, "land", single("|800|", "|600|", "|heng|", "movie"));
        p.buildStore();
        ASSERT_TRUE(p.import({p.photo("first.jpg", quadrants(400, 300))}));
        const QStringList textsBefore = allTexts(p.model);
        const auto treeBefore = p.tree();

        std::string bytes = content;
        if (std::string(name) == "truncated.jpg") {
            const std::string full = encodeTestJpeg(quadrants(640, 480));
            bytes = full.substr(0, full.size() - 200);
        }
        const fs::path file = p.photos / name;
        writeFile(file, bytes);
        auto result = p.import({p.photo("good.jpg", quadrants(400, 300)), q(file)});
        ASSERT_FALSE(result) << name;
        EXPECT_TRUE(result.error().message.contains(q(file)))
            << result.error().message.toStdString();
        EXPECT_EQ(allTexts(p.model), textsBefore) << name;
        EXPECT_EQ(p.tree(), treeBefore) << name;
    }
}

TEST(PhotoImport, UnreadablePhotosAreNamedAndTheReadableOnesAdded) {
    Project p;
    addTemplate(p.wf, "land", single("|800|", "|600|", "|heng|", "movie"));
    p.buildStore();
    const std::string full = encodeTestJpeg(quadrants(640, 480));
    const std::pair<const char*, std::string> bad[] = {
        {"not a photo.jpg", "this is a text file"},
        {"empty.jpg", ""},
        {"truncated.jpg", full.substr(0, full.size() - 200)},
    };
    QStringList files{p.photo("first.jpg", quadrants(400, 300))};
    QStringList badFiles;
    for (const auto& [name, bytes] : bad) {
        writeFile(p.photos / name, bytes);
        badFiles << q(p.photos / name);
        files << badFiles.back();
    }
    files << p.photo("last.jpg", quadrants(800, 600));
    NullProgress progress;
    auto report = importReadablePhotos(p.model, p.wf, files, progress);
    ASSERT_TRUE(report) << report.error().message.toStdString();
    ASSERT_EQ(p.model.photos.count(), 2);
    EXPECT_EQ(p.model.photos.at(0).fileName, "first");
    EXPECT_EQ(p.model.photos.at(1).fileName, "last");
    ASSERT_EQ(report->unreadable.size(), badFiles.size());
    for (qsizetype i = 0; i < badFiles.size(); ++i) {
        const RefusedFile& refused = report->unreadable[i];
        EXPECT_EQ(refused.file, badFiles[i]);
        EXPECT_EQ(refused.reason, RefusalReason::UnreadablePhoto);
        EXPECT_TRUE(refused.detail.contains(badFiles[i])) << refused.detail.toStdString();
    }
    EXPECT_TRUE(fs::exists(p.wf.thumbnail(1, 2)));

    // Nothing readable: nothing added, every file named.
    auto none = importReadablePhotos(p.model, p.wf, badFiles, progress);
    ASSERT_TRUE(none);
    EXPECT_EQ(p.model.photos.count(), 2);
    EXPECT_EQ(none->unreadable.size(), badFiles.size());
}

TEST(PhotoImport, DamagedTemplatePackageLeavesTheProjectAsItWas) {
    Project p;
    addTemplate(p.wf, "land", single("|800|", "|600|", "|heng|", "movie"));
    p.buildStore();
    ASSERT_TRUE(p.import({p.photo("first.jpg", quadrants(400, 300))}));
    const QStringList textsBefore = allTexts(p.model);
    const auto treeBefore = p.tree();

    const fs::path package = p.wf.movieStore() / "land.rar";
    writeFile(package, "damaged");
    auto result = p.import({p.photo("second.jpg", quadrants(400, 300))});
    ASSERT_FALSE(result);
    EXPECT_TRUE(result.error().message.contains(q(package)))
        << result.error().message.toStdString();
    EXPECT_EQ(allTexts(p.model), textsBefore);
    EXPECT_EQ(p.tree(), treeBefore);
}

TEST(PhotoImport, AwkwardPathsAndTheSameFileTwice) {
    Project p;
    addTemplate(p.wf, "land", single("|800|", "|600|", "|heng|", "movie"));
    p.buildStore();
    const QString file = p.photo("我的 \"旅行\" it's/海边 照片.jpg", quadrants(400, 300));
    auto report = p.import({file, file});
    ASSERT_TRUE(report) << report.error().message.toStdString();
    EXPECT_EQ(column(p.model, &PhotoEntry::location), (QStringList{file, file}));
    EXPECT_EQ(column(p.model, &PhotoEntry::fileName), (QStringList{"海边 照片", "海边 照片"}));
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder), (QStringList{"1", "2"}));
    EXPECT_TRUE(fs::exists(p.wf.thumbnail(1, 2)));
    EXPECT_TRUE(fs::exists(p.wf.instancePicture(2, 1)));
}

TEST(PhotoImport, NumberingContinuesAcrossBatchesAndRestartsAfterDeleteAll) {
    Project p;
    addTemplate(p.wf, "land", single("|800|", "|600|", "|heng|", "movie"));
    p.buildStore();
    const QString a = p.photo("a.jpg", quadrants(400, 300));
    ASSERT_TRUE(p.import({a, a}));
    ASSERT_TRUE(p.import({a}));
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(column(p.model, &PhotoEntry::index), (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(fs::exists(p.wf.thumbnail(1, 3)));

    removeAllPhotos(p.model, p.wf);
    EXPECT_EQ(p.model.templateInstanceCount, "0");
    EXPECT_TRUE(p.model.landscapePool.empty());
    EXPECT_FALSE(fs::exists(p.wf.instanceFolder(1)));
    EXPECT_FALSE(fs::exists(p.wf.endingMovie()));
    EXPECT_FALSE(fs::exists(p.wf.thumbnail(1, 1)));

    ASSERT_TRUE(p.import({a}));
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder), (QStringList{"1"}));
    EXPECT_TRUE(fs::exists(p.wf.instancePicture(1, 1)));
    EXPECT_FALSE(fs::exists(p.wf.instanceFolder(2)));
    EXPECT_EQ(readFile(p.wf.endingMovie()), "end");
}

TEST(PhotoRemoval, OnlyPhotoOfTemplateTwoOfThree) {
    Project p;
    addTemplate(p.wf, "land", single("|800|", "|600|", "|heng|", "movie"));
    p.buildStore();
    ASSERT_TRUE(p.import({p.photo("a.jpg", solid(400, 300, Qt::red)),
                          p.photo("b.jpg", solid(400, 300, Qt::green)),
                          p.photo("c.jpg", solid(400, 300, Qt::blue))}));
    const std::string thirdThumb = readFile(p.wf.thumbnail(1, 3));

    EXPECT_EQ(removePhoto(p.model, p.wf, 1), RemovalOutcome::Removed);
    EXPECT_EQ(p.model.templateInstanceCount, "2");
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder), (QStringList{"1", "2"}));
    EXPECT_EQ(column(p.model, &PhotoEntry::index), (QStringList{"1", "2"}));
    EXPECT_TRUE(fs::exists(p.wf.instanceMovie(2)));
    EXPECT_FALSE(fs::exists(p.wf.instanceFolder(2) / "w_j_3.rar"));
    EXPECT_FALSE(fs::exists(p.wf.instanceFolder(3)));
    EXPECT_FALSE(fs::exists(p.wf.renumberingFolder(3)));
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(2, 1), {400, 300}), Qt::blue));
    EXPECT_EQ(readFile(p.wf.thumbnail(1, 2)), thirdThumb);
    EXPECT_FALSE(fs::exists(p.wf.thumbnail(1, 3)));

    // The last photos go one by one; the next import starts a new project.
    EXPECT_EQ(removePhoto(p.model, p.wf, 0), RemovalOutcome::Removed);
    EXPECT_EQ(removePhoto(p.model, p.wf, 0), RemovalOutcome::Removed);
    EXPECT_EQ(p.model.templateInstanceCount, "0");
    ASSERT_TRUE(p.import({p.photo("d.jpg", solid(400, 300, Qt::red))}));
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder), (QStringList{"1"}));
}

TEST(PhotoRemoval, SharedTemplatesAreSupplemented) {
    Project p;
    addTemplate(p.wf, "pair", twoSlots("pair movie"));
    addTemplate(p.wf, "port", single("|600|", "|800|", "|shu|", "portrait movie"));
    p.buildStore();
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta};
    QStringList files;
    for (int i = 0; i < 6; ++i)
        files << p.photo("p" + std::to_string(i + 1) + ".jpg", solid(400, 300, colours[i]));
    ASSERT_TRUE(p.import(files));
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder),
              (QStringList{"1", "1", "2", "2", "3", "3"}));

    // A photo sharing its template is not removed by itself.
    const QStringList before = allTexts(p.model);
    EXPECT_EQ(removePhoto(p.model, p.wf, 0), RemovalOutcome::NeedsSupplement);
    EXPECT_EQ(allTexts(p.model), before);
    // The other landscape photos; the photo itself is the one going.
    EXPECT_EQ(supplementCandidates(p.model, 0), (std::vector<std::size_t>{1, 2, 3, 4, 5}));

    // Chosen from the project: photo 3 fills slot 1 of template 1.
    NullProgress progress;
    const std::string secondThumb = readFile(p.wf.thumbnail(1, 2));
    ASSERT_TRUE(supplementFromProject(p.model, p.wf, 0, 2, progress));
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(1, 1), {400, 300}), Qt::blue));
    EXPECT_EQ(column(p.model, &PhotoEntry::location), files.mid(1));
    EXPECT_EQ(readFile(p.wf.thumbnail(1, 1)), secondThumb);
    EXPECT_FALSE(fs::exists(p.wf.thumbnail(1, 6)));
    EXPECT_EQ(p.model.templateInstanceCount, "3");

    // A new file must have the removed photo's orientation.
    const QString tall = p.photo("tall.jpg", solid(300, 400, Qt::white));
    auto refused = supplementWithNewFile(p.model, p.wf, 0, tall, progress);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, "添加的新相片不是横照片,请重新添加！");

    // A new landscape file takes photo 2's slot (template 1, slot 2).
    const QString fresh = p.photo("fresh.jpg", solid(400, 300, Qt::gray));
    ASSERT_TRUE(supplementWithNewFile(p.model, p.wf, 0, fresh, progress));
    EXPECT_EQ(column(p.model, &PhotoEntry::location),
              (QStringList{files[2], files[3], files[4], files[5], fresh}));
    // Folders follow their first photo: the former template 1 is now 3.
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder), (QStringList{"1", "1", "2", "2", "3"}));
    EXPECT_EQ(p.model.photos.at(4).imageName, "picture_2");
    EXPECT_EQ(readFile(p.wf.instanceMovie(3)), "pair movie");
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(3, 2), {400, 300}), Qt::gray));
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(3, 1), {400, 300}), Qt::blue));
    QImage freshThumb(q(p.wf.thumbnail(1, 5)), "BMP");
    EXPECT_TRUE(near(freshThumb.pixelColor(79, 60), Qt::gray));
    EXPECT_FALSE(fs::exists(p.wf.thumbnail(1, 6)));

    // A random draw among the landscape photos.
    p.model.random.reseed(3);
    ASSERT_TRUE(supplementByRandomDraw(p.model, p.wf, 0, progress));
    EXPECT_EQ(p.model.photos.size(), 4u);
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder), (QStringList{"1", "2", "2", "3"}));
}

TEST(PhotoRemoval, TheRandomSupplementNeverDrawsTheRemovedPhoto) {
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta};
    struct Case {
        std::uint64_t seed;
        std::size_t drawn;     // the replacement among the photos 2..6
        bool firstOfSixFirst;  // a draw among six would give the removed photo 1
    };
    const Case cases[] = {{1, 1, true}, {11, 1, true}, {2, 5, false}, {3, 3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        EXPECT_EQ(RandomGenerator(c.seed).below(6) == 0, c.firstOfSixFirst);
        Project p;
        addTemplate(p.wf, "pair", twoSlots("pair movie"));
        p.buildStore();
        QStringList files;
        for (int i = 0; i < 6; ++i)
            files << p.photo("p" + std::to_string(i + 1) + ".jpg", solid(400, 300, colours[i]));
        ASSERT_TRUE(p.import(files));
        ASSERT_EQ(column(p.model, &PhotoEntry::templateFolder),
                  (QStringList{"1", "1", "2", "2", "3", "3"}));

        NullProgress progress;
        p.model.random.reseed(c.seed);
        ASSERT_TRUE(supplementByRandomDraw(p.model, p.wf, 0, progress));
        // Photo 1 is gone from the project and from its slot.
        EXPECT_FALSE(column(p.model, &PhotoEntry::location).contains(files[0]));
        const fs::path slot = p.wf.instancePicture(
            fieldToInt(p.model.photos.at(0).templateFolder, "templateFolder"), 1);
        EXPECT_EQ(p.model.photos.at(0).location, files[1]);
        EXPECT_EQ(p.model.photos.at(0).imageName, "picture_2");
        EXPECT_TRUE(near(p.pictureColour(slot, {400, 300}), colours[c.drawn]));
        EXPECT_EQ(p.model.photos.size(), 5u);
        EXPECT_EQ(p.model.templateInstanceCount, "3");
    }
}

TEST(PhotoRemoval, WithoutAnotherPhotoOfItsOrientationTheSupplementChangesNothing) {
    Project p;
    addTemplate(p.wf, "pair", twoSlots("pair movie"));
    addTemplate(p.wf, "port", single("|600|", "|800|", "|shu|", "portrait movie"));
    p.buildStore();
    // A batch of five fills two-photo templates: the two landscape photos
    // share one, each portrait photo has its own.
    const QStringList files = {
        p.photo("a.jpg", solid(400, 300, Qt::red)), p.photo("b.jpg", solid(400, 300, Qt::green)),
        p.photo("t1.jpg", solid(300, 400, Qt::blue)), p.photo("t2.jpg", solid(300, 400, Qt::blue)),
        p.photo("t3.jpg", solid(300, 400, Qt::blue))};
    ASSERT_TRUE(p.import(files));
    ASSERT_EQ(column(p.model, &PhotoEntry::templateFolder), (QStringList{"1", "1", "2", "3", "4"}));

    // Both landscape photos chosen: the second is filled with the first,
    // then nothing is left to fill the first one's slot.
    NullProgress progress;
    auto report = removePhotos(p.model, p.wf, {0, 1}, progress);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->needSupplement, (std::vector<std::size_t>{0, 1}));
    ASSERT_TRUE(supplementByRandomDraw(p.model, p.wf, 1, progress));
    EXPECT_EQ(column(p.model, &PhotoEntry::location), files.mid(0, 1) + files.mid(2));

    EXPECT_TRUE(supplementCandidates(p.model, 0).empty());
    const QStringList texts = allTexts(p.model);
    const auto tree = p.tree();
    auto refused = supplementByRandomDraw(p.model, p.wf, 0, progress);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message,
              "已添加的相片中没有其它横照片可以用来补充模板，请点[手动为模板补充相片]添加一张新相片"
              "。");
    EXPECT_EQ(allTexts(p.model), texts);
    EXPECT_EQ(p.tree(), tree);
    EXPECT_EQ(noSupplementCandidateMessage(p.model, 1, "添加新相片用来补充"),
              "已添加的相片中没有其它竖照片可以用来补充模板，请点[添加新相片用来补充]添加一张新相片"
              "。");

    // A new photo still fills it.
    const QString fresh = p.photo("fresh.jpg", solid(400, 300, Qt::gray));
    ASSERT_TRUE(supplementWithNewFile(p.model, p.wf, 0, fresh, progress));
    EXPECT_EQ(column(p.model, &PhotoEntry::location), files.mid(2) + QStringList{fresh});
}

TEST(PhotoRemoval, SelectedRowsGoFromTheLastAndSharedOnesWaitForASupplement) {
    Project p;
    addTemplate(p.wf, "pair", twoSlots("pair movie"));
    addTemplate(p.wf, "port", single("|600|", "|800|", "|shu|", "portrait movie"));
    p.buildStore();
    ASSERT_TRUE(p.import({p.photo("t1.jpg", solid(300, 400, Qt::red)),
                          p.photo("t2.jpg", solid(300, 400, Qt::green))}));
    QStringList wide;
    for (int i = 0; i < 6; ++i)
        wide << p.photo("w" + std::to_string(i) + ".jpg", solid(400, 300, Qt::blue));
    ASSERT_TRUE(p.import(wide));
    ASSERT_EQ(column(p.model, &PhotoEntry::templateFolder),
              (QStringList{"1", "2", "3", "3", "4", "4", "5", "5"}));

    RecordingProgress progress;
    auto report = removePhotos(p.model, p.wf, {5, 0, 3}, progress);
    ASSERT_TRUE(report) << report.error().message.toStdString();
    EXPECT_EQ(progress.total, 3);
    EXPECT_EQ(progress.done, 3);
    // Rows 5 and 3 share their templates and stay; row 0 went, so they move up.
    EXPECT_EQ(report->needSupplement, (std::vector<std::size_t>{2, 4}));
    EXPECT_EQ(p.model.photos.size(), 7u);
    EXPECT_EQ(p.model.photos.at(2).location, wide[1]);
    EXPECT_EQ(p.model.photos.at(4).location, wide[3]);
    EXPECT_EQ(p.model.templateInstanceCount, "4");
    EXPECT_EQ(column(p.model, &PhotoEntry::templateFolder),
              (QStringList{"1", "2", "2", "3", "3", "4", "4"}));
    EXPECT_FALSE(fs::exists(p.wf.instanceFolder(5)));
}

TEST(PhotoImport, ManualCropSavesTheKeptPart) {
    Project p;
    addTemplate(p.wf, "land", single("|800|", "|600|", "|heng|", "movie"));
    p.buildStore();
    ASSERT_TRUE(p.import({p.photo("a.jpg", quadrants(400, 300))}));
    // The photo at half the frame's size, inside it: only the photo is kept.
    ASSERT_TRUE(
        stageManualCrop(p.model.photos.at(0), {800, 600, 400, 300, 40, 30, 200, 150}, p.wf));
    EXPECT_EQ(p.pictureSize(p.wf.instancePicture(1, 1)), QSize(400, 300));
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(1, 1), {50, 50}), Qt::red));
    EXPECT_TRUE(near(p.pictureColour(p.wf.instancePicture(1, 1), {350, 250}), Qt::yellow));
}
