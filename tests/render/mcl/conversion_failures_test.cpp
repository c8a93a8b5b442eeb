// Stops and failures of a conversion: each ends with a clear message, and
// nothing is left at the output path (nor a temporary file beside it).

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <thread>

#include "mcl_fixture.h"
#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

QString pathIn(const TempDir& dir, const char* name) {
    return QString::fromStdString((dir.path() / name).string());
}
QString folderOf(const TempDir& dir) { return QString::fromStdString(dir.path().string()); }

TEST(ConversionStop, StopFromTheFrameCallbackLeavesNoFile) {
    for (const char* name : {"stopped.mpg", "stopped.avi"}) {
        TempDir dir;
        AlbumRun run;
        run.preset = QString::fromLatin1(name).endsWith(".mpg") ? std::optional(MclFormat::DVD)
                                                                : std::nullopt;
        run.frames = 200;
        run.output = pathIn(dir, name);
        run.onFrame = [](MclEncoder& h, int index) {
            if (index == 60) MclAbort(h);
            return true;
        };
        const AlbumResult result = encodeAlbum(run);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, MclError::Aborted);
        EXPECT_EQ(result.errorCallbacks, 0);  // a stop is not an error
        EXPECT_TRUE(folderEntries(folderOf(dir)).isEmpty())
            << folderEntries(folderOf(dir)).join(' ').toStdString();
    }
}

TEST(ConversionStop, StopFromAnotherThreadLeavesNoPictures) {
    TempDir dir;
    auto h = MclCreate();
    auto video = MclListCreate();
    MclListAddMemoryFrames(*video, 100000);
    MclAssignVideoSource(*h, MclListSource(*video));
    std::atomic<int> painted{0};
    MclAssignVideoFunc(*h, [&](MclEncoder&, QImage& frame, int) {
        frame.fill(Qt::red);
        ++painted;
        return true;
    });
    MclVideoSetFormat(*h, 64, 48, 32);
    MclVideoSetFileName(*h, pathIn(dir, "01.BMP"));
    std::thread stopper([&] {
        while (painted < 30) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        MclAbort(*h);
    });
    EXPECT_FALSE(MclConvert(*h));
    stopper.join();
    EXPECT_EQ(MclGetError(*h), MclError::Aborted);
    EXPECT_TRUE(folderEntries(folderOf(dir)).isEmpty());
}

TEST(ConversionFailure, BadSourcesNameTheirFileAndLeaveNoOutput) {
    TempDir dir;
    const QString damaged = pathIn(dir, "damaged.mp3");
    writeFile(dir.path() / "damaged.mp3", std::string(4000, '\x55'));
    const QString missing = pathIn(dir, "gone.mp3");
    for (const QString& song : {missing, damaged}) {
        AlbumRun run;
        run.preset = MclFormat::VCD;
        run.frames = 30;
        run.songs = {song};
        run.output = pathIn(dir, "album.mpg");
        const AlbumResult result = encodeAlbum(run);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, MclError::Source);
        EXPECT_EQ(result.errorCallbacks, 1);
        EXPECT_TRUE(result.errorText.contains(QDir::toNativeSeparators(song)))
            << result.errorText.toStdString();
        EXPECT_FALSE(QFile::exists(run.output));
    }
    EXPECT_EQ(folderEntries(folderOf(dir)), QStringList{"damaged.mp3"});
}

TEST(ConversionFailure, UnusableSettingsAreRefused) {
    TempDir dir;
    struct Case {
        std::optional<MclFormat> preset;
        int width, height;
        const char* file;
    } cases[] = {{MclFormat::DVD, 321, 176, "odd.mpg"},
                 {MclFormat::DVD, 8, 8, "tiny.mpg"},
                 {std::nullopt, 320, 176, "album.mkv"}};
    for (const Case& c : cases) {
        AlbumRun run;
        run.preset = c.preset;
        run.width = c.width;
        run.height = c.height;
        run.output = pathIn(dir, c.file);
        const AlbumResult result = encodeAlbum(run);
        EXPECT_EQ(result.error, MclError::Settings) << c.file;
        EXPECT_FALSE(result.errorText.isEmpty());
    }
    EXPECT_TRUE(folderEntries(folderOf(dir)).isEmpty());
}

// Frame files: entry i is read only when frame i is needed, so the caller
// may rewrite one file between frames.
TEST(FrameFiles, EachFrameIsTheFileAsWrittenBeforeIt) {
    TempDir dir;
    const QString frameFile = pathIn(dir, "frame.rar");  // a bitmap whatever its extension
    const auto writeFrameFile = [&](int frame) {
        QImage image(40, 30, QImage::Format_RGB32);  // another size: scaled to the output
        image.fill(albumColour(frame * 10));
        ASSERT_TRUE(image.save(frameFile, "BMP"));
    };
    writeFrameFile(0);
    auto h = MclCreate();
    auto video = MclListCreate();
    for (int i = 0; i < 6; ++i) MclListAdd(*video, frameFile, kMclVideoEntry, 0, 0);
    EXPECT_EQ(MclListGetFrameCount(*video), 6);
    MclAssignVideoSource(*h, MclListSource(*video));
    std::vector<QRgb> seen;
    MclAssignVideoFunc(*h, [&](MclEncoder&, QImage& frame, int index) {
        EXPECT_EQ(frame.size(), QSize(64, 48));
        seen.push_back(frame.pixel(5, 5));
        writeFrameFile(index + 1);
        return true;
    });
    MclVideoSetFormat(*h, 64, 48, 32);
    MclVideoSetFileName(*h, pathIn(dir, "out.avi"));
    ASSERT_TRUE(MclConvert(*h)) << MclGetErrorStr(*h).toStdString();
    ASSERT_EQ(seen.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(QColor(seen[i]), albumColour(i * 10)) << i;

    // A frame file that is gone stops the conversion with its name.
    QFile::remove(frameFile);
    QFile::remove(pathIn(dir, "out.avi"));
    MclAssignVideoFunc(*h, {});
    EXPECT_FALSE(MclConvert(*h));
    EXPECT_EQ(MclGetError(*h), MclError::Source);
    EXPECT_TRUE(MclGetErrorStr(*h).contains(QDir::toNativeSeparators(frameFile)));
    EXPECT_TRUE(folderEntries(folderOf(dir)).isEmpty());
}

// Runs `body` in a child process and returns its exit status (or -1).
int runInChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST(ConversionFailure, FullDiskEndsWithAClearMessageAndNoFile) {
    TempDir dir;
    const QString output = pathIn(dir, "full.mpg");
    const QString pictures = pathIn(dir, "01.BMP");
    const int status = runInChild([&] {
        signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
        const rlimit limit{200 * 1024, 200 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        int failures = 0;
        for (const QString& path : {output, pictures}) {
            AlbumRun run;
            run.preset = path.endsWith(".mpg") ? std::optional(MclFormat::DVD) : std::nullopt;
            run.quality = MclQuality::High;
            run.width = 640;
            run.height = 368;
            run.frames = 150;
            run.output = path;
            const AlbumResult result = encodeAlbum(run);
            if (!result.ok && result.error == MclError::Output && result.errorCallbacks == 1 &&
                result.errorText.contains(QDir::toNativeSeparators(path).section('/', 0, -2)) &&
                result.errorText.contains(QLatin1String("File too large")))
                ++failures;
            else
                fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(result.errorText));
        }
        return failures == 2 ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(folderEntries(folderOf(dir)).isEmpty())
        << folderEntries(folderOf(dir)).join(' ').toStdString();
}

TEST(ConversionFailure, UnwritableFolderEndsWithAMessageNamingIt) {
    TempDir dir;
    const QString locked = pathIn(dir, "locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    QFile::setPermissions(locked,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const int status = runInChild([&] {
        // Root writes anywhere: become an ordinary user first.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 3;
        int failures = 0;
        for (const char* name : {"/album.mpg", "/01.JPG", "/missing/album.avi"}) {
            AlbumRun run;
            run.preset = QString::fromLatin1(name).endsWith(".mpg") ? std::optional(MclFormat::SVCD)
                                                                    : std::nullopt;
            run.frames = 10;
            run.output = locked + QString::fromLatin1(name);
            const AlbumResult result = encodeAlbum(run);
            const QString folder = QDir::toNativeSeparators(run.output.section('/', 0, -2));
            if (!result.ok && result.error == MclError::Output && result.errorText.contains(folder))
                ++failures;
            else
                fprintf(stderr, "%s: %s\n", name, qPrintable(result.errorText));
        }
        return failures == 3 ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(folderEntries(locked).isEmpty());
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
