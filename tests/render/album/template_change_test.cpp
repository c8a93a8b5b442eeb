// Changing the template of one photo: the row names the new template, its
// instance folder holds the new movie and the photo staged into it, and the
// album plays the new template. A photo sharing its instance, and a damaged
// package, are refused and change nothing.

#include "photos/template_change.h"

#include <gtest/gtest.h>

#include "album_fixtures.h"
#include "base/file_io.h"
#include "base/manual_crop.h"
#include "photos/auto_fit.h"
#include "render/album/album_preview.h"

namespace orvane {
namespace {

using namespace orvane::testing;

const QSize kSize(320, 176);

class TemplateChangeTest : public ::testing::Test {
   protected:
    void SetUp() override {
        writeStore(folder, {35, 60}, 20);
        writePhoto(dir.path() / "a.jpg", 800, 600, Qt::red);
        writePhoto(dir.path() / "b.jpg", 800, 600, Qt::green);
        model = importedProject(folder, {dir.path() / "a.jpg", dir.path() / "b.jpg"});
        model.settings.outputWidth = kSize.width();
        model.settings.outputHeight = kSize.height();
        ASSERT_EQ(model.photos.size(), 2u);
    }

    // The single-photo template row 0 does not have yet.
    TemplateEntry otherTemplate() const {
        for (const TemplateEntry& t : templateChoices(model, 0))
            if (t.location != model.photos.at(0).templatePath) return t;
        throw OrvaneError(QStringLiteral("no other template"));
    }

    std::vector<QImage> frames(const ProjectModel& project, const std::vector<int>& which) {
        AlbumPreview preview(project, folder);
        std::vector<QImage> out;
        for (int n : which) out.push_back(preview.frame(n, kSize).value());
        return out;
    }

    // Every file of instance folder n, by name.
    std::map<std::string, std::string> instanceFiles(int n) const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(folder.instanceFolder(n)))
            files[entry.path().filename().string()] = readFile(entry.path());
        return files;
    }

    int instanceOf(std::size_t row) const {
        return fieldToInt(model.photos.at(row).templateFolder, "templateFolder");
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
    ProjectModel model;
};

TEST_F(TemplateChangeTest, OffersTheSinglePhotoTemplatesOfThePhotosOrientation) {
    // A two-photo landscape template is never offered.
    TemplateEntry pair = model.landscapeTemplates.at(0);
    pair.photoCount = QStringLiteral("2");
    pair.location += QStringLiteral("-pair");
    model.landscapeTemplates.append(pair);

    EXPECT_EQ(templateChoices(model, 0).size(), 2u);
    for (const TemplateEntry& t : templateChoices(model, 0))
        EXPECT_EQ(t.photoCount, QStringLiteral("1"));
    model.photos.at(1).orientation = kPortrait;  // the store has no portrait templates
    EXPECT_TRUE(templateChoices(model, 1).empty());
    EXPECT_TRUE(templateChoices(model, 7).empty());
}

TEST_F(TemplateChangeTest, ThePhotoTakesTheNewTemplateAndTheAlbumPlaysIt) {
    const TemplateEntry target = otherTemplate();
    const int n = instanceOf(0);
    const std::vector<int> which{0, 10, 30, 40, 50, 58, 70};
    const std::vector<QImage> before = frames(model, which);
    const std::string oldMovie = readFile(folder.instanceMovie(n));
    const PhotoEntry untouched = model.photos.at(1);

    NullProgress progress;
    auto ok = changePhotoTemplate(model, folder, 0, target.location, progress);
    ASSERT_TRUE(ok.has_value()) << ok.error().message.toStdString();

    const PhotoEntry& photo = model.photos.at(0);
    EXPECT_EQ(photo.templatePath, target.location);
    EXPECT_EQ(photo.templateFrameCount, target.frameCount);
    EXPECT_EQ(photo.mainTemplateNo, target.seqNo);
    EXPECT_EQ(photo.templateFolder, QString::number(n));  // the instance keeps its number
    EXPECT_EQ(photo.imageName, QStringLiteral("picture_1"));
    EXPECT_EQ(photo.thumbnailState, PhotoStep::Done);
    EXPECT_EQ(photo.cropState, PhotoStep::Done);
    EXPECT_EQ(model.photos.at(1), untouched);

    ASSERT_TRUE(fs::exists(folder.instanceMovie(n)));
    EXPECT_NE(readFile(folder.instanceMovie(n)), oldMovie);
    EXPECT_TRUE(fs::exists(folder.instancePicture(n, 1)));

    // The first frames show the same photo; later ones follow the longer or
    // shorter template.
    const std::vector<QImage> after = frames(model, which);
    EXPECT_LT(differingShare(before[0], after[0]), 0.01);
    int changed = 0;
    for (std::size_t i = 1; i < which.size(); ++i)
        changed += differingShare(before[i], after[i]) > 0.2 ? 1 : 0;
    EXPECT_GT(changed, 0);
}

TEST_F(TemplateChangeTest, AHandPlacedCropIsDroppedOnlyWhenTheSlotSizeChanges) {
    ManualCropInput crop{};
    model.photos.at(0).manualCrop = crop;
    TemplateEntry target = otherTemplate();
    const bool sameSlot = target.photoWidth == model.photos.at(0).slotWidth &&
                          target.photoHeight == model.photos.at(0).slotHeight;
    NullProgress progress;
    ASSERT_TRUE(changePhotoTemplate(model, folder, 0, target.location, progress).has_value());
    EXPECT_EQ(model.photos.at(0).manualCrop.has_value(), sameSlot);
}

TEST_F(TemplateChangeTest, RefusalsChangeNeitherTheModelNorTheFiles) {
    const TemplateEntry target = otherTemplate();
    const int n = instanceOf(0);
    const auto files = instanceFiles(n);

    struct Case {
        const char* name;
        std::function<void(ProjectModel&)> arrange;
        QString expected;  // part of the message
    };
    const std::vector<Case> cases{
        {"shared instance",
         [&](ProjectModel& m) {
             m.photos.at(1).templateFolder = m.photos.at(0).templateFolder;
             m.photos.at(1).templatePhotoCount = m.photos.at(0).templatePhotoCount =
                 QStringLiteral("2");
         },
         QStringLiteral("这张相片和其它相片共用一个模板，不能单独更换。")},
        {"damaged package",
         [&](ProjectModel&) { writeFile(toPath(target.location), "not a package"); },
         QString::fromStdString(toPath(target.location).filename().string())},
        {"template of another kind",
         [&](ProjectModel& m) { m.photos.at(0).orientation = kPortrait; },
         QStringLiteral("不适合")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectModel arranged = model;
        c.arrange(arranged);
        const ProjectModel kept = arranged;
        NullProgress progress;
        auto ok = changePhotoTemplate(arranged, folder, 0, target.location, progress);
        ASSERT_FALSE(ok.has_value());
        EXPECT_TRUE(ok.error().message.contains(c.expected)) << ok.error().message.toStdString();
        EXPECT_EQ(arranged.photos, kept.photos);
        EXPECT_EQ(instanceFiles(n), files);
    }
}

}  // namespace
}  // namespace orvane
