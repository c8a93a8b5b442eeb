// Project files: every table and setting survives a save and an open; the
// reopened project is staged again and makes the same frames; media that
// moved and templates that left the store are reported and the rest opens;
// damaged, truncated and newer files are refused and change nothing.

#include "base/project_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

#include "album_fixtures.h"
#include "base/file_io.h"
#include "effects/picture_effect.h"
#include "effects/text_effect.h"
#include "photos/photo_removal.h"
#include "photos/staging.h"
#include "render/album/album_preview.h"
#include "session/project_open.h"
#include "support/template_store.h"

namespace orvane {
namespace {

using namespace orvane::testing;

const QSize kSize(320, 176);

class ProjectFileTest : public ::testing::Test {
   protected:
    void SetUp() override {
        writeStore(folder, {35, 40}, 60);
        writePhoto(dir.path() / "a.jpg", 800, 600, Qt::red);
        writePhoto(dir.path() / "b.jpg", 800, 600, Qt::green);
        writePhoto(dir.path() / "c.jpg", 800, 600, Qt::blue);
        model = importedProject(folder,
                                {dir.path() / "a.jpg", dir.path() / "b.jpg", dir.path() / "c.jpg"});
        model.settings.outputType = OutputType::Mp4;
        model.settings.outputWidth = kSize.width();
        model.settings.outputHeight = kSize.height();
        model.settings.tvSystem = TvSystem::Ntsc;
        model.settings.quality = Quality::Normal;
        model.settings.lyricKind = LyricKind::Both;
        model.settings.portraitCrop = PortraitCrop::TemplateDefault;  // all photos are landscape
        model.settings.loopMusicToFill = true;
        model.settings.karaokeRowALeft = 240;
        model.settings.karaokeRowATop = 700;
        model.settings.karaokeRowBTop = 820;

        writeSong(dir.path() / "song.mp3", 6.0);
        addSongs(model, folder, {dir.path() / "song.mp3"});
        writeFile(dir.path() / "song.lrc", "[00:01.00]第一行\n[00:03.00]第二行\n");
        LyricEntry lyric;
        lyric.fileName = QStringLiteral("song");
        lyric.fileType = QStringLiteral(".lrc");
        lyric.location = toQString(dir.path() / "song.lrc");
        lyric.hAlign = LyricHAlign::Centre;
        lyric.vAlign = LyricVAlign::Bottom;
        lyric.boundMusic = model.music.at(0).boundLyric = QStringLiteral("key-1");
        lyric.boundMusicName = QStringLiteral("song");
        model.music.at(0).boundLyricName = QStringLiteral("song");
        model.lyrics.append(lyric);
        writeFile(dir.path() / "line.ksc",
                  "karaoke.add('00:01.000', '00:03.000', '你好朋友', '500,500,500,500');\n");
        KaraokeEntry karaoke;
        karaoke.location = toQString(dir.path() / "line.ksc");
        karaoke.fillColorName = QStringLiteral("clRed");
        model.karaoke.append(karaoke);
        TextEffectChoice text;
        text.text = QStringLiteral("你好 Orvane");
        text.startTime = QStringLiteral("00:00");
        text.motionKey = QStringLiteral("congzuoxiangyou");
        text.colorName = QStringLiteral("clYellow");
        model.textEffects.append(makeTextEffect(text).value());
        // A decoration below the project's folder, and one outside it.
        fs::create_directories(dir.path() / "deco");
        writeBadge(dir.path() / "deco" / "badge.png");
        writeBadge(elsewhere.path() / "far.png");
        model.pictureEffects.append(makePictureEffect(toQString(dir.path() / "deco" / "badge.png"),
                                                      "00:01", "00:04", "100,100", 1)
                                        .value());
        model.pictureEffects.append(
            makePictureEffect(toQString(elsewhere.path() / "far.png"), "00:02", "wu", "900,500", 2)
                .value());
    }

    static void writeBadge(const fs::path& file) {
        QImage badge(200, 100, QImage::Format_ARGB32);
        badge.fill(Qt::transparent);
        QPainter(&badge).fillRect(0, 0, 200, 100, QColor(255, 0, 255, 200));
        ASSERT_TRUE(badge.save(toQString(file)));
    }

    QString projectPath() const { return toQString(dir.path() / "album.orvane"); }

    // A new run's project: the catalogue of the store and nothing else, the
    // working folder cleaned.
    ProjectModel freshRun() const { return importedProject(folder, {}); }

    Result<ProjectOpenReport> reopen(ProjectModel& into) {
        NullProgress progress;
        return openProject(into, folder, projectPath(), progress);
    }

    std::vector<QImage> frames(const ProjectModel& project, const std::vector<int>& which) {
        AlbumPreview preview(project, folder);
        std::vector<QImage> out;
        for (int n : which) out.push_back(preview.frame(n, kSize).value());
        return out;
    }

    TempDir dir;
    TempDir elsewhere;
    WorkingFolder folder{dir.path()};
    ProjectModel model;
};

TEST_F(ProjectFileTest, EveryTableAndSettingRoundTripsWithPathsRelativeToTheProject) {
    const ProjectPaths paths{projectPath(), folder.base()};
    ASSERT_TRUE(saveProjectFile(model, paths).has_value());
    auto loaded = readProjectFile(paths);
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message.toStdString();
    EXPECT_EQ(loaded->photos, model.photos);
    EXPECT_EQ(loaded->music, model.music);
    EXPECT_EQ(loaded->lyrics, model.lyrics);
    EXPECT_EQ(loaded->karaoke, model.karaoke);
    EXPECT_EQ(loaded->textEffects, model.textEffects);
    EXPECT_EQ(loaded->pictureEffects, model.pictureEffects);
    EXPECT_EQ(loaded->settings, model.settings);
    EXPECT_EQ(loaded->templateInstanceCount, model.templateInstanceCount);
    EXPECT_EQ(loaded->bindingKeySerial, model.bindingKeySerial);

    // Beside or below the project: relative; elsewhere: absolute; template
    // packages relative to the working folder.
    const QJsonObject document =
        QJsonDocument::fromJson(QByteArray::fromStdString(readFile(dir.path() / "album.orvane")))
            .object();
    EXPECT_EQ(document["version"].toInt(), kProjectFormatVersion);
    const auto first = [&](const char* table) { return document[table].toArray()[0].toObject(); };
    EXPECT_EQ(first("photos")["location"].toString(), QStringLiteral("a.jpg"));
    EXPECT_FALSE(first("photos")["templatePath"].toString().startsWith('/'));
    EXPECT_EQ(first("music")["location"].toString(), QStringLiteral("song.mp3"));
    EXPECT_EQ(first("pictureEffects")["decoration"].toString(), QStringLiteral("deco/badge.png"));
    EXPECT_EQ(document["pictureEffects"].toArray()[1].toObject()["decoration"].toString(),
              toQString(elsewhere.path() / "far.png"));

    // The project folder moved with its media opens with the new paths.
    const fs::path moved = elsewhere.path() / "moved";
    fs::create_directories(moved);
    for (const char* name : {"a.jpg", "song.mp3", "album.orvane"})
        fs::copy_file(dir.path() / name, moved / name);
    auto again = readProjectFile({toQString(moved / "album.orvane"), folder.base()});
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->photos.at(0).location, toQString(moved / "a.jpg"));
    EXPECT_EQ(again->music.at(0).location, toQString(moved / "song.mp3"));
}

TEST_F(ProjectFileTest, AReopenedProjectIsStagedAgainAndMakesTheSameFrames) {
    // The first photo placed by hand: shrunk into the frame's right half,
    // black beside it, unlike any automatic fit.
    PhotoEntry& cropped = model.photos.at(0);
    const ManualCropInput crop{
        cropped.slotWidth.toInt(), cropped.slotHeight.toInt(), 480, 270, 240, 0, 240, 180};
    const std::vector<QImage> fitted = frames(model, {20});
    ASSERT_TRUE(stageManualCrop(cropped, crop, folder).has_value());
    cropped.manualCrop = crop;
    const std::vector<int> which{0, 20, 37, 60, 80, 110, 150};
    const std::vector<QImage> before = frames(model, which);
    ASSERT_GT(differingShare(fitted[0], before[1], 2), 0.05) << "the crop shows in frame 20";
    ASSERT_TRUE(saveProject(model, folder, projectPath()).has_value());

    ProjectModel reopened = freshRun();  // the staged templates are gone
    ASSERT_FALSE(fs::exists(folder.instanceMovie(1)));
    auto report = reopen(reopened);
    ASSERT_TRUE(report.has_value()) << report.error().message.toStdString();
    EXPECT_TRUE(report->messages.isEmpty()) << report->messages.join('\n').toStdString();
    ASSERT_EQ(reopened.photos.size(), model.photos.size());
    for (std::size_t i = 0; i < model.photos.size(); ++i) {
        EXPECT_EQ(reopened.photos.at(i).templatePath, model.photos.at(i).templatePath);
        EXPECT_EQ(reopened.photos.at(i).templateFolder, model.photos.at(i).templateFolder);
        EXPECT_EQ(reopened.photos.at(i).manualCrop, model.photos.at(i).manualCrop);
    }
    EXPECT_TRUE(fs::exists(folder.instanceMovie(1)));
    const std::vector<QImage> after = frames(reopened, which);
    for (std::size_t i = 0; i < which.size(); ++i) {
        SCOPED_TRACE(which[i]);
        EXPECT_LT(differingShare(before[i], after[i], 2), 0.001);
    }
}

QImage stagedPicture(const WorkingFolder& folder, int instance, int slot = 1) {
    return QImage(toQString(folder.instancePicture(instance, slot)), "JPEG");
}

// A project's photos keep the crop style they were staged with: a setting
// changed since leaves a reopened project's slot pictures as they were. A
// file saved before the style was kept opens, staged as its settings say.
TEST_F(ProjectFileTest, AReopenedProjectKeepsTheCropStylesItsPhotosWereStagedWith) {
    // Imported full screen (the default): the 4:3 photos fill 1920 × 1080.
    std::vector<QImage> staged;
    for (int n = 1; n <= 3; ++n) staged.push_back(stagedPicture(folder, n));
    ASSERT_EQ(staged[0].size(), QSize(1920, 1080));
    model.settings.landscapeCrop = LandscapeCrop::TemplateDefault;
    ASSERT_TRUE(saveProject(model, folder, projectPath()).has_value());
    const std::string saved = readFile(dir.path() / "album.orvane");

    ProjectModel reopened = freshRun();
    ASSERT_FALSE(fs::exists(folder.instancePicture(1, 1)));
    auto report = reopen(reopened);
    ASSERT_TRUE(report.has_value()) << report.error().message.toStdString();
    EXPECT_EQ(reopened.settings.landscapeCrop, LandscapeCrop::TemplateDefault);
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        const QImage picture = stagedPicture(folder, n);
        EXPECT_EQ(picture.size(), staged[std::size_t(n - 1)].size());
        EXPECT_LT(differingShare(picture, staged[std::size_t(n - 1)], 2), 0.001);
    }

    // Without the styles the settings decide: the whole photo, 1440 × 1080.
    QJsonObject document = QJsonDocument::fromJson(QByteArray::fromStdString(saved)).object();
    QJsonArray photos = document["photos"].toArray();
    for (qsizetype i = 0; i < photos.size(); ++i) {
        QJsonObject photo = photos[i].toObject();
        ASSERT_TRUE(photo.contains("cropStyle"));
        photo.remove("cropStyle");
        photos[i] = photo;
    }
    document["photos"] = photos;
    writeFile(dir.path() / "album.orvane", QJsonDocument(document).toJson().toStdString());
    ProjectModel older = freshRun();
    auto opened = reopen(older);
    ASSERT_TRUE(opened.has_value()) << opened.error().message.toStdString();
    EXPECT_TRUE(opened->messages.isEmpty()) << opened->messages.join('\n').toStdString();
    ASSERT_EQ(older.photos.size(), 3u);
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(stagedPicture(folder, n).size(), QSize(1440, 1080));
    // Staged now, the photos keep that style from here on.
    EXPECT_EQ(older.photos.at(0).stagedCrop, cropStyles(older.settings));
}

// A new photo that supplements a hand-cropped one takes over its slot but
// not its crop, and a reopened project stages it whole as the supplement did.
TEST(ProjectReopen, ASupplementedPhotoDoesNotTakeTheRemovedPhotosCrop) {
    TempDir dir;
    WorkingFolder folder{dir.path()};
    writeStore(folder, {}, 60);
    TemplateSpec pair;
    pair.photoCount = QStringLiteral("2");
    pair.widths = pair.heights = QStringLiteral("|0|0|");
    pair.orientation = QStringLiteral("|heng|heng|");
    pair.jpgNames = QStringLiteral("|a|b|");
    addTemplate(folder, "pair", pair);
    // A batch of six fills three two-photo templates.
    std::vector<fs::path> photos;
    for (int i = 0; i < 6; ++i) {
        photos.push_back(dir.path() / ("p" + std::to_string(i) + ".jpg"));
        writePhoto(photos.back(), 800, 600, Qt::red);
    }
    writePhoto(dir.path() / "new.jpg", 800, 600, Qt::blue);
    ProjectModel model = importedProject(folder, photos);
    ASSERT_EQ(model.photos.size(), 6u);
    ASSERT_EQ(model.photos.at(0).templateFolder, QStringLiteral("1"));
    ASSERT_EQ(model.photos.at(1).templateFolder, QStringLiteral("1"));

    // The first photo placed by hand: shrunk into the right half of the frame.
    PhotoEntry& cropped = model.photos.at(0);
    ASSERT_EQ(cropped.imageName, QStringLiteral("picture_1"));
    const ManualCropInput crop{0, 0, 480, 270, 240, 0, 240, 180};
    ASSERT_TRUE(stageManualCrop(cropped, crop, folder).has_value());
    cropped.manualCrop = crop;
    ASSERT_NE(stagedPicture(folder, 1).size(), QSize(1440, 1080));

    NullProgress progress;
    ASSERT_TRUE(
        supplementWithNewFile(model, folder, 0, toQString(dir.path() / "new.jpg"), progress));
    ASSERT_EQ(model.photos.size(), 6u);
    const PhotoEntry& added = model.photos.at(5);
    EXPECT_EQ(added.fileName, QStringLiteral("new"));
    EXPECT_EQ(added.imageName, QStringLiteral("picture_1"));
    EXPECT_FALSE(added.manualCrop.has_value());
    // The whole 4:3 photo, nothing cut, no band.
    ASSERT_EQ(added.templateFolder, QStringLiteral("1"));
    const QImage supplemented = stagedPicture(folder, 1);
    EXPECT_EQ(supplemented.size(), QSize(1440, 1080));
    EXPECT_GT(meanColour(supplemented, QRect(0, 0, 1440, 1080)).blue(), 200);

    const QString project = toQString(dir.path() / "album.orvane");
    ASSERT_TRUE(saveProject(model, folder, project).has_value());
    ProjectModel reopened = importedProject(folder, {});
    ASSERT_FALSE(fs::exists(folder.instancePicture(1, 1)));
    auto report = openProject(reopened, folder, project, progress);
    ASSERT_TRUE(report.has_value()) << report.error().message.toStdString();
    EXPECT_TRUE(report->messages.isEmpty()) << report->messages.join('\n').toStdString();
    ASSERT_EQ(reopened.photos.size(), 6u);
    EXPECT_FALSE(reopened.photos.at(5).manualCrop.has_value());
    const QImage again = stagedPicture(folder, 1);
    EXPECT_EQ(again.size(), supplemented.size());
    EXPECT_LT(differingShare(again, supplemented, 2), 0.001);
}

TEST_F(ProjectFileTest, MovedMediaAreNamedAndLeftOutAndTheRestOpens) {
    ASSERT_TRUE(saveProject(model, folder, projectPath()).has_value());
    fs::rename(dir.path() / "song.mp3", dir.path() / "moved.mp3");
    fs::remove(dir.path() / "deco" / "badge.png");
    fs::remove(dir.path() / "b.jpg");

    ProjectModel reopened = freshRun();
    auto report = reopen(reopened);
    ASSERT_TRUE(report.has_value()) << report.error().message.toStdString();
    const QString messages = report->messages.join('\n');
    EXPECT_TRUE(messages.contains(QStringLiteral("song.mp3"))) << messages.toStdString();
    EXPECT_TRUE(messages.contains(QStringLiteral("badge.png"))) << messages.toStdString();
    EXPECT_TRUE(messages.contains(QStringLiteral("b.jpg"))) << messages.toStdString();
    EXPECT_TRUE(reopened.music.empty());
    ASSERT_EQ(reopened.lyrics.size(), 1u);
    EXPECT_EQ(reopened.lyrics.at(0).boundMusic, kNone) << "its song is gone";
    ASSERT_EQ(reopened.pictureEffects.size(), 1u);
    EXPECT_EQ(reopened.pictureEffects.at(0).seqNo, 1);
    ASSERT_EQ(reopened.photos.size(), 2u);
    EXPECT_EQ(reopened.photos.at(0).location, toQString(dir.path() / "a.jpg"));
    EXPECT_EQ(reopened.photos.at(1).location, toQString(dir.path() / "c.jpg"));
    EXPECT_EQ(reopened.karaoke.size(), 1u);
    EXPECT_EQ(reopened.textEffects, model.textEffects);
    AlbumPreview preview(reopened, folder);
    EXPECT_TRUE(preview.frame(30, kSize).has_value());
}

TEST_F(ProjectFileTest, APhotoWhoseTemplateLeftTheStoreGetsANewOne) {
    ASSERT_TRUE(saveProject(model, folder, projectPath()).has_value());
    const fs::path gone = toPath(model.photos.at(0).templatePath);
    fs::remove(folder.movieStore() / gone.filename());
    fs::remove(folder.parameterStore() / gone.filename());

    ProjectModel reopened = freshRun();
    auto report = reopen(reopened);
    ASSERT_TRUE(report.has_value()) << report.error().message.toStdString();
    ASSERT_EQ(reopened.photos.size(), 3u);
    const QString messages = report->messages.join('\n');
    EXPECT_TRUE(messages.contains(QStringLiteral("a.jpg")) &&
                messages.contains(QStringLiteral("new template")))
        << messages.toStdString();
    for (const PhotoEntry& photo : reopened.photos) {
        EXPECT_NE(toPath(photo.templatePath).filename(), gone.filename());
        EXPECT_TRUE(fs::exists(folder.instanceMovie(fieldToInt(photo.templateFolder, "n"))));
    }
    AlbumPreview preview(reopened, folder);
    EXPECT_TRUE(preview.frame(10, kSize).has_value());
}

TEST_F(ProjectFileTest, DamagedTruncatedAndNewerFilesAreRefusedAndNothingChanges) {
    ASSERT_TRUE(saveProject(model, folder, projectPath()).has_value());
    const std::string good = readFile(dir.path() / "album.orvane");
    std::string newer = good;
    const auto at = newer.find("\"version\": 2");
    ASSERT_NE(at, std::string::npos);
    newer.replace(at, 12, "\"version\": 7");
    std::string noPhotos = good;
    noPhotos.replace(noPhotos.find("\"photos\""), 8, "\"fotos\"");
    // A crop asking for a picture of gigapixels.
    std::string hugeCrop = good;
    hugeCrop.replace(hugeCrop.find("\"location\": \"a.jpg\""), 19,
                     "\"location\": \"a.jpg\", \"manualCrop\": {\"slotWidth\": 400, "
                     "\"slotHeight\": 300, \"frameWidth\": 400, \"frameHeight\": 300, "
                     "\"photoX\": 0, \"photoY\": 0, \"photoWidth\": 900000, "
                     "\"photoHeight\": 700000}");
    std::string unknownStyle = good;
    const auto style = unknownStyle.find("\"landscape\": \"fullScreen\"");
    ASSERT_NE(style, std::string::npos);
    unknownStyle.replace(style, 25, "\"landscape\": \"sideways\"");
    struct Case {
        const char* name;
        std::string content;
        const char* message;
    };
    const std::vector<Case> cases{
        {"truncated", good.substr(0, good.size() / 2), "damaged or incomplete"},
        {"damaged", "\x89PNG garbage", "damaged or incomplete"},
        {"newer", newer, "newer Orvane (format version 7"},
        {"not a project", "{\"photos\": []}", "not an Orvane project"},
        {"table missing", noPhotos, "\"photos\" is missing"},
        {"huge crop", hugeCrop, "the crop of photo"},
        {"unknown crop style", unknownStyle, "the crop style of photo"},
    };
    const std::string staged = readFile(folder.instancePicture(1, 1));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir.path() / "album.orvane", c.content);
        ProjectModel current = model;
        auto report = reopen(current);
        ASSERT_FALSE(report.has_value());
        EXPECT_TRUE(report.error().message.contains(QLatin1String(c.message)))
            << report.error().message.toStdString();
        EXPECT_TRUE(report.error().message.contains(projectPath()));
        EXPECT_EQ(current.photos, model.photos);
        EXPECT_EQ(current.music, model.music);
        EXPECT_EQ(current.settings, model.settings);
        EXPECT_EQ(readFile(folder.instancePicture(1, 1)), staged);
    }
}

}  // namespace
}  // namespace orvane
