// Every long operation, run through the session, stopped at its start, in
// its middle and near its end, and failing on a damaged file: the project's
// tables and the files of the working folder must be exactly as before, and
// a full run afterwards must give what a run without stops gives.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <functional>
#include <set>

#include "album_fixtures.h"
#include "audio/media_import.h"
#include "job_fixtures.h"
#include "photos/photo_import.h"
#include "photos/photo_removal.h"
#include "render/album/album_build.h"
#include "session/media_files.h"
#include "templates/catalogue.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using Operation = Session::Operation;

Operation importing(const QStringList& files) {
    return [files](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
        auto report = importPhotos(model, folder, files, progress);
        return report ? Result<void>() : std::unexpected(report.error());
    };
}

Operation importingSongs(const QStringList& files) {
    return [files](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
        MediaPanes panes;
        auto report = importSongs(model, folder, panes, files, progress);
        return report ? Result<void>() : std::unexpected(report.error());
    };
}

Operation importingLyrics(const QStringList& files) {
    return [files](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
        MediaPanes panes;
        auto report = importLyrics(model, folder, panes, files, progress);
        return report ? Result<void>() : std::unexpected(report.error());
    };
}

Operation addingMixedFiles(const QStringList& files) {
    return [files](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
        MediaPanes panes;
        auto report = addMediaFiles(model, folder, panes, files, progress);
        return report ? Result<void>() : std::unexpected(report.error());
    };
}

Operation makingAlbum(const fs::path& output) {
    return [output](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
        AlbumRequest request;
        request.output = toQString(output);
        auto report = makeAlbum(model, folder, request, progress);
        return report ? Result<void>() : std::unexpected(report.error());
    };
}

// The first row whose template is shared with another photo.
std::size_t sharedRow(const ProjectModel& model) {
    for (std::size_t r = 0; r < model.photos.size(); ++r)
        if (model.photos.at(r).templatePhotoCount == QStringLiteral("2")) return r;
    ADD_FAILURE() << "the project has no two-photo template";
    return 0;
}

// Photos, songs and lyrics in a world with the small photo store.
void photoProject(JobWorld& w, int photos) {
    writePhotoStore(w.folder);
    w.open();
    QStringList files;
    for (int i = 0; i < photos; ++i)
        files << w.photo("p" + std::to_string(i) + ".jpg", 400, 300,
                         QColor::fromHsv(i * 40, 200, 200));
    files << w.photo("tall.jpg", 300, 400, Qt::blue);
    w.apply(importing(files));
}

void mediaProject(JobWorld& w) {
    photoProject(w, 1);
    w.apply(importingSongs({w.song("first.mp3")}));
    w.apply(importingLyrics({w.lyric("first.lrc")}));
}

// Two photos in compiled templates, made into a tiny AVI.
void albumProject(JobWorld& w) {
    writeStore(w.folder, {12}, 12);
    w.open();
    w.apply(
        importing({w.photo("a.jpg", 400, 300, Qt::red), w.photo("b.jpg", 400, 300, Qt::green)}));
    ProjectModel sized = w.session->model();
    sized.settings.outputType = OutputType::Avi;
    sized.settings.outputWidth = 160;
    sized.settings.outputHeight = 96;
    sized.settings.quality = Quality::Normal;
    w.session->commit(std::move(sized));
}

struct JobCase {
    const char* name;
    const char* phase;
    std::function<void(JobWorld&)> setup;
    std::function<Operation(JobWorld&)> operation;
    // Stops worth trying besides the start, the middle and the end.
    std::vector<int> extraStops = {};
};

void PrintTo(const JobCase& c, std::ostream* os) { *os << c.name; }

const JobCase kJobCases[] = {
    {"catalogue", "读取模板参数",
     [](JobWorld& w) {
         writePhotoStore(w.folder);
         w.open();
     },
     [](JobWorld&) -> Operation {
         return [](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
             auto report = buildCatalogue(model, folder, progress);
             return report ? Result<void>() : std::unexpected(report.error());
         };
     }},
    {"photo import into a project",
     "添加相片",
     [](JobWorld& w) { photoProject(w, 2); },
     [](JobWorld& w) {
         return importing({w.photo("n1.jpg", 400, 300, Qt::red), w.photo("n2.jpg", 300, 400),
                           w.photo("n3.jpg", 400, 300, Qt::green),
                           w.photo("n4.jpg", 400, 300, Qt::yellow)});
     },
     // After the matcher, inside the template unpacking.
     {5, 6}},
    {"photo import into an empty project", "添加相片",
     [](JobWorld& w) {
         writePhotoStore(w.folder);
         w.open();
     },
     [](JobWorld& w) {
         return importing({w.photo("n1.jpg"), w.photo("n2.jpg", 300, 400)});
     }},
    {"music import", "添加音乐", mediaProject,
     [](JobWorld& w) {
         return importingSongs({w.song("a.mp3"), w.song("b.mp3")});
     }},
    {"lyric import", "添加歌词", mediaProject,
     [](JobWorld& w) {
         return importingLyrics({w.lyric("a.lrc"), w.lyric("b.lrc"), w.lyric("c.lrc")});
     }},
    // A stop in the lyrics takes back the photos and songs added before them.
    {"mixed files", "添加歌词", [](JobWorld& w) { photoProject(w, 2); },
     [](JobWorld& w) {
         return addingMixedFiles({w.lyric("a.lrc"), w.photo("n1.jpg", 400, 300, Qt::red),
                                  w.song("a.mp3"), w.photo("n2.jpg", 300, 400), w.lyric("b.lrc")});
     }},
    {"photo removal", "删除相片", [](JobWorld& w) { photoProject(w, 8); },
     [](JobWorld& w) -> Operation {
         std::vector<std::size_t> rows(w.session->model().photos.size());
         for (std::size_t r = 0; r < rows.size(); ++r) rows[r] = r;
         return [rows](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
             auto report = removePhotos(model, folder, rows, progress);
             return report ? Result<void>() : std::unexpected(report.error());
         };
     }},
    {"supplement from the project", "删除相片", [](JobWorld& w) { photoProject(w, 8); },
     [](JobWorld& w) -> Operation {
         const std::size_t row = sharedRow(w.session->model());
         const std::size_t replacement = supplementCandidates(w.session->model(), row).back();
         return [row, replacement](ProjectModel& model, const WorkingFolder& folder,
                                   Progress& progress) {
             return supplementFromProject(model, folder, row, replacement, progress);
         };
     }},
    {"supplement with a new file", "删除相片", [](JobWorld& w) { photoProject(w, 8); },
     [](JobWorld& w) -> Operation {
         const std::size_t row = sharedRow(w.session->model());
         const QString file = w.photo("fresh.jpg", 400, 300, Qt::gray);
         return [row, file](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
             return supplementWithNewFile(model, folder, row, file, progress);
         };
     }},
    {"album build", "制作相册", albumProject,
     [](JobWorld& w) { return makingAlbum(w.dir.path() / "album.avi"); }},
};

class StopTest : public ::testing::TestWithParam<JobCase> {};

TEST_P(StopTest, AStopLeavesTheProjectAndTheWorkingFolderAsTheyWere) {
    const JobCase& c = GetParam();
    // A run without a stop: how many advances it makes, and what it leaves.
    JobWorld reference;
    c.setup(reference);
    StopAfter counting;
    auto full = reference.session->apply(c.operation(reference), counting);
    ASSERT_TRUE(full) << full.error().message.toStdString();
    EXPECT_TRUE(counting.phases.contains(QString::fromUtf8(c.phase)))
        << counting.phases.join(',').toStdString();
    const int advances = counting.advances;
    ASSERT_GE(advances, 2);

    JobWorld world;
    c.setup(world);
    const auto tree = workingTree(world.folder);
    const ProjectModel model = world.session->model();
    int signalled = 0;
    QObject::connect(world.session.get(), &Session::tableChanged, [&] { ++signalled; });

    std::set<int> stops = {0, advances / 2, advances - 1};
    for (int k : c.extraStops)
        if (k < advances) stops.insert(k);
    for (int k : stops) {
        SCOPED_TRACE("stopped after " + std::to_string(k) + " of " + std::to_string(advances) +
                     " advances");
        StopAfter progress(k);
        auto stopped = world.session->apply(c.operation(world), progress);
        ASSERT_FALSE(stopped);
        EXPECT_EQ(stopped.error().kind, ErrorKind::Stopped)
            << stopped.error().message.toStdString();
        expectSameProject(world.session->model(), model);
        EXPECT_EQ(workingTree(world.folder), tree);
    }
    EXPECT_EQ(signalled, 0);
    if (fs::exists(world.dir.path() / "album.avi"))
        ADD_FAILURE() << "a stopped album left its file";

    // The stopped runs leave no trace in a run after them.
    ASSERT_TRUE(world.session->apply(c.operation(world), counting));
    EXPECT_EQ(workingTree(world.folder), workingTree(reference.folder));
}

INSTANTIATE_TEST_SUITE_P(Jobs, StopTest, ::testing::ValuesIn(kJobCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
});

struct FailureCase {
    const char* name;
    std::function<void(JobWorld&)> setup;
    std::function<Operation(JobWorld&)> operation;
    const char* damagedFile;  // named in the message
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

const FailureCase kFailureCases[] = {
    {"photo import", [](JobWorld& w) { photoProject(w, 2); },
     [](JobWorld& w) {
         return importing({w.photo("n1.jpg", 400, 300, Qt::red), w.photo("n2.jpg", 300, 400),
                           w.truncatedPhoto("damaged.jpg"), w.photo("n4.jpg")});
     },
     "damaged.jpg"},
    {"supplement with a new file", [](JobWorld& w) { photoProject(w, 8); },
     [](JobWorld& w) -> Operation {
         const std::size_t row = sharedRow(w.session->model());
         const QString file = w.truncatedPhoto("damaged.jpg");
         return [row, file](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
             return supplementWithNewFile(model, folder, row, file, progress);
         };
     },
     "damaged.jpg"},
    {"supplement from the project", [](JobWorld& w) { photoProject(w, 8); },
     [](JobWorld& w) -> Operation {
         const ProjectModel& model = w.session->model();
         const std::size_t row = sharedRow(model);
         const std::size_t replacement = supplementCandidates(model, row).back();
         // The replacement's photo went away since its import.
         fs::remove(toPath(model.photos.at(replacement).location));
         return [row, replacement](ProjectModel& model, const WorkingFolder& folder,
                                   Progress& progress) {
             return supplementFromProject(model, folder, row, replacement, progress);
         };
     },
     "p7.jpg"},
    {"album build", albumProject,
     [](JobWorld& w) {
         // A song that exists but is no sound: the encoder refuses it after
         // the loading picture was staged.
         writeFile(w.in / "noise.mp3", std::string(4096, 'x'));
         MusicEntry song;
         song.fileName = QStringLiteral("noise");
         song.fileType = QStringLiteral(".mp3");
         song.location = toQString(w.in / "noise.mp3");
         song.duration = QStringLiteral("00:00:01");
         song.frameCount = 25;
         ProjectModel withSong = w.session->model();
         withSong.music.append(song);
         w.session->commit(std::move(withSong));
         return makingAlbum(w.dir.path() / "album.avi");
     },
     "noise.mp3"},
};

class FailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureTest, ADamagedFileLeavesTheProjectAndTheWorkingFolderAsTheyWere) {
    const FailureCase& c = GetParam();
    JobWorld world;
    c.setup(world);
    const Operation operation = c.operation(world);
    const auto tree = workingTree(world.folder);
    const ProjectModel model = world.session->model();
    StopAfter progress;
    auto failed = world.session->apply(operation, progress);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().kind, ErrorKind::Input);
    EXPECT_TRUE(failed.error().message.contains(QString::fromUtf8(c.damagedFile)))
        << failed.error().message.toStdString();
    expectSameProject(world.session->model(), model);
    EXPECT_EQ(workingTree(world.folder), tree);
    EXPECT_FALSE(fs::exists(world.dir.path() / "album.avi"));
}

INSTANTIATE_TEST_SUITE_P(Jobs, FailureTest, ::testing::ValuesIn(kFailureCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(MusicImport, ADamagedSongIsSkippedWithANoticeAndTheOthersAreAdded) {
    JobWorld world;
    mediaProject(world);
    writeFile(world.in / "broken.mp3", "not sound");
    StopAfter progress;
    auto done = world.session->apply(
        importingSongs(
            {world.song("a.mp3"), toQString(world.in / "broken.mp3"), world.song("b.mp3")}),
        progress);
    ASSERT_TRUE(done) << done.error().message.toStdString();
    EXPECT_EQ(world.session->model().music.size(), 3u);
    ASSERT_EQ(progress.notices.size(), 1);
    EXPECT_TRUE(progress.notices[0].contains(QStringLiteral("broken.mp3")));
    EXPECT_TRUE(fs::exists(world.folder.thumbnail(2, 3)));
    EXPECT_FALSE(fs::exists(world.folder.thumbnail(2, 4)));
}

}  // namespace
}  // namespace orvane
