// orvane make as a user runs it: a whole album from files, the progress bar,
// the working-folder lock shared with the other subcommands, Ctrl-C and a disk that fills up.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "album_fixtures.h"
#include "package_writer.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class MakeCliTest : public ::testing::Test {
   protected:
    void SetUp() override {
        writeStore(folder, {35}, 60);
        writePhoto(dir.path() / "a.jpg", 800, 600, Qt::red);
        writePhoto(dir.path() / "b.jpg", 800, 600, Qt::green);
    }
    std::string make(const std::string& arguments, const std::string& prefix = "") {
        return prefix + "'" + std::string(ORVANE_BINARY) + "' make --root '" + dir.path().string() +
               "' --seed 3 --photos '" + (dir.path() / "a.jpg").string() + "' '" +
               (dir.path() / "b.jpg").string() + "' " + arguments;
    }
    TempDir dir;
    WorkingFolder folder{dir.path()};
};

TEST_F(MakeCliTest, MakesAnAlbumWithSongLyricsTextsAndPicture) {
    writeSong(dir.path() / "song.mp3", 8.0);
    writeFile(dir.path() / "song.lrc", "[00:01.00]第一行\n[00:03.00]第二行\n");
    writeFile(dir.path() / "song.ksc",
              "karaoke.add('00:02.000', '00:04.000', '你好[hello]', '500,500,1000');\n");
    QImage badge(200, 100, QImage::Format_ARGB32);
    badge.fill(Qt::transparent);
    QPainter(&badge).fillRect(0, 0, 200, 100, QColor(255, 0, 255, 200));
    ASSERT_TRUE(badge.save(QString::fromStdString((dir.path() / "badge.png").string())));
    std::string out;
    const int status = runCommand(
        make("--music '" + (dir.path() / "song.mp3").string() + "' --lrc '" +
             (dir.path() / "song.lrc").string() + "' --ksc '" + (dir.path() / "song.ksc").string() +
             "' --text '你好|00:00|congzuoxiangyou' --text "
             "'Bye|00:02|congshangxiangxia|clRed|宋体|20'"
             " --picture '" +
             (dir.path() / "badge.png").string() +
             "|00:01|00:05|100,100' "
             "--format dvd --size 320x176 --quality normal -o '" +
             (dir.path() / "album").string() + "'"),
        &out);
    ASSERT_EQ(status, 0) << out;
    const fs::path video = dir.path() / "album.mpg";  // the extension is appended
    ASSERT_TRUE(fs::exists(video)) << out;
    EXPECT_NE(out.find(video.string()), std::string::npos) << out;
    EXPECT_NE(out.find("frames"), std::string::npos) << "progress bar: " << out;
    EXPECT_NE(out.find("fps"), std::string::npos) << out;
    EXPECT_EQ(countVideoFrames(video), 170);
    EXPECT_NEAR(probeDuration(video, "a:0"), 6.8, 0.15);
    // The picture shows from 00:01 to 00:05 at (100, 100) of a 1920 × 1080 frame.
    const QImage during = videoFrame(video, 60);
    const QColor c = meanColour(during, QRect(20, 20, 8, 8));
    EXPECT_GT(c.red(), 150);
    EXPECT_GT(c.blue(), 150);
    // The working files of the run are gone, the store stays.
    EXPECT_FALSE(fs::exists(folder.instancesFolder()));
    EXPECT_TRUE(fs::exists(folder.endingPackage()));
}

TEST_F(MakeCliTest, RefusesWhatCannotBeMade) {
    struct Case {
        std::string arguments;
        std::string message;
    };
    const std::vector<Case> cases{
        {"--format dvd --size 333x100 -o '" + (dir.path() / "x").string() + "'", "--size"},
        {"--format dvd --text 'no time' -o '" + (dir.path() / "x").string() + "'", "--text"},
        // An unknown motion names the seven that exist.
        {"--format dvd --text 'hi|00:01|sideways' -o '" + (dir.path() / "x").string() + "'",
         "unknown motion \"sideways\"; choose one of zuoshangxiangyouxia, congzuoxiangyou, "
         "congshangxiangxia, congyouxiangzuo, zuoxiadaoyoushang, youshangdaozuoxia, "
         "youxiadaozuoshang"},
        {"--format dvd --music '" + (dir.path() / "none.mp3").string() + "' -o '" +
             (dir.path() / "x").string() + "'",
         "none.mp3"},
        {"--format dvd --lrc '" + (dir.path() / "missing.lrc").string() + "' -o '" +
             (dir.path() / "x").string() + "'",
         "missing.lrc"},
        {"--format dvd --ksc '" + (dir.path() / "missing.ksc").string() + "' -o '" +
             (dir.path() / "x").string() + "'",
         "missing.ksc"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_NE(runCommand(make(c.arguments), &out), 0) << c.arguments;
        EXPECT_NE(out.find(c.message), std::string::npos) << out;
    }
    std::string out;
    const std::string noPhotos = "'" + std::string(ORVANE_BINARY) + "' make --root '" +
                                 dir.path().string() + "' --format dvd -o '" +
                                 (dir.path() / "x").string() + "'";
    EXPECT_NE(runCommand(noPhotos, &out), 0);
    EXPECT_NE(out.find("没有添加相片文件！"), std::string::npos) << out;
    fs::create_directories(dir.path() / "seq");
    EXPECT_NE(runCommand(make("--format jpg -o '" + (dir.path() / "seq").string() + "'"), &out), 0);
    EXPECT_NE(out.find("输入的文件名存在, 请更换保存的文件名！"), std::string::npos) << out;
    EXPECT_FALSE(fs::exists(dir.path() / "x.mpg"));
}

// The four-letter types of a file's top-level boxes (MP4), in file order.
std::vector<std::string> topLevelBoxes(const fs::path& file) {
    const std::string bytes = readFile(file);
    std::vector<std::string> boxes;
    std::size_t offset = 0;
    while (offset + 8 <= bytes.size()) {
        const auto byte = [&](std::size_t i) { return std::uint64_t(std::uint8_t(bytes[i])); };
        std::uint64_t size =
            byte(offset) << 24 | byte(offset + 1) << 16 | byte(offset + 2) << 8 | byte(offset + 3);
        if (size == 1 && offset + 16 <= bytes.size()) {
            size = 0;
            for (std::size_t i = 8; i < 16; ++i) size = size << 8 | byte(offset + i);
        }
        boxes.push_back(bytes.substr(offset + 4, 4));
        if (size < 8) break;
        offset += size;
    }
    return boxes;
}

// A project saved by one make is made again by another, as MP4 and as the
// same picture sequence, frame for frame.
TEST_F(MakeCliTest, ASavedProjectMakesTheSameAlbumAgainAndAsMp4) {
    writeSong(dir.path() / "song.mp3", 5.0);
    writeFile(dir.path() / "song.lrc", "[00:01.00]第一行\n[00:03.00]第二行\n");
    const fs::path project = dir.path() / "album.orvane";
    const fs::path first = dir.path() / "first";
    std::string out;
    ASSERT_EQ(runCommand(make("--music '" + (dir.path() / "song.mp3").string() + "' --lrc '" +
                              (dir.path() / "song.lrc").string() +
                              "' --text 'Hi|00:01|congzuoxiangyou' --sync music --loop-pictures"
                              " --format jpg --size 320x176 --save-project '" +
                              project.string() + "' -o '" + first.string() + "'"),
                         &out),
              0)
        << out;
    ASSERT_TRUE(fs::exists(project)) << out;
    int frames = 0;
    for (const auto& entry : fs::directory_iterator(first)) frames += entry.is_regular_file();
    ASSERT_GT(frames, 100);
    // The crop setting changed after the photos were staged (full screen):
    // the project is made with the styles its photos were staged with.
    std::string saved = readFile(project);
    const auto setting = saved.find("\"landscapeCrop\": \"fullScreen\"");
    ASSERT_NE(setting, std::string::npos);
    saved.replace(setting, 29, "\"landscapeCrop\": \"templateDefault\"");
    writeFile(project, saved);

    const std::string binary = "'" + std::string(ORVANE_BINARY) + "' make --root '" +
                               dir.path().string() + "' --project '" + project.string() + "' ";
    const fs::path second = dir.path() / "second";
    ASSERT_EQ(runCommand(binary + "--format jpg -o '" + second.string() + "'", &out), 0) << out;
    for (int n : {1, 20, 40, 80, frames}) {
        SCOPED_TRACE(n);
        const std::string name = (n < 10 ? "0" : "") + std::to_string(n) + ".JPG";
        const QImage a(toQString(first / name));
        const QImage b(toQString(second / name));
        ASSERT_FALSE(a.isNull() || b.isNull());
        EXPECT_LT(differingShare(a, b, 4), 0.001);
    }

    ASSERT_EQ(
        runCommand(binary + "--format mp4 --tv ntsc -o '" + (dir.path() / "album").string() + "'",
                   &out),
        0)
        << out;
    const fs::path video = dir.path() / "album.mp4";  // the extension is appended
    ASSERT_TRUE(fs::exists(video)) << out;
    EXPECT_EQ(probeStream(video, "v:0", "codec_name"), "h264");
    EXPECT_EQ(probeStream(video, "v:0", "profile"), "High");
    EXPECT_EQ(probeStream(video, "v:0", "pix_fmt"), "yuv420p");
    EXPECT_EQ(probeStream(video, "v:0", "width"), "320");
    EXPECT_EQ(probeStream(video, "v:0", "height"), "176");
    EXPECT_EQ(probeStream(video, "v:0", "r_frame_rate"), "30000/1001");
    EXPECT_EQ(probeStream(video, "a:0", "codec_name"), "aac");
    EXPECT_EQ(probeStream(video, "a:0", "sample_rate"), "44100");
    // The album's length, whatever the TV system's frame rate.
    EXPECT_NEAR(probeDuration(video, "v:0"), frames / 25.0, 0.05);
    const auto boxes = topLevelBoxes(video);
    const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
    const auto mdat = std::find(boxes.begin(), boxes.end(), "mdat");
    ASSERT_TRUE(moov != boxes.end() && mdat != boxes.end());
    EXPECT_LT(moov, mdat) << "the index comes first";

    // A project cannot be mixed with new inputs; the help names both options.
    EXPECT_NE(runCommand(binary + "--photos '" + (dir.path() / "a.jpg").string() +
                             "' --format mp4 -o '" + (dir.path() / "x").string() + "'",
                         &out),
              0);
    EXPECT_NE(out.find("--project"), std::string::npos) << out;
    ASSERT_EQ(runCommand("'" + std::string(ORVANE_BINARY) + "' make --help", &out), 0);
    EXPECT_NE(out.find("--save-project"), std::string::npos) << out;
    EXPECT_NE(out.find("--project"), std::string::npos) << out;
    EXPECT_NE(out.find("mp4"), std::string::npos) << out;
}

// Starts `command` in a shell of its own; its output goes to `log`.
pid_t startCommand(const std::string& command, const fs::path& log) {
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string line = "exec " + command + " >'" + log.string() + "' 2>&1";
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Waits until the working folder's lock names `holder`.
bool waitForHolder(const WorkingFolder& folder, const std::string& holder) {
    for (int i = 0; i < 600; ++i) {
        if (readFile(folder.sessionLockFile()).find(holder) != std::string::npos) return true;
        usleep(20 * 1000);
    }
    return false;
}

TEST_F(MakeCliTest, OtherRunsOnAWorkingFolderInUseAreRefusedAndTheRenderGoesOn) {
    writeSong(dir.path() / "long.mp3", 12.0);
    const fs::path log = dir.path() / "make.log";
    const pid_t render = startCommand(make("--music '" + (dir.path() / "long.mp3").string() +
                                           "' --sync music --format dvd --size 1280x720 -o '" +
                                           (dir.path() / "album").string() + "'"),
                                      log);
    ASSERT_TRUE(waitForHolder(folder, "orvane make")) << readFile(log);
    const std::string binary = "'" + std::string(ORVANE_BINARY) + "' ";
    const std::string root = " --root '" + dir.path().string() + "'";
    for (const std::string& other :
         {binary + "fit" + root + " '" + (dir.path() / "a.jpg").string() + "'",
          binary + "templates" + root}) {
        std::string out;
        EXPECT_EQ(runCommand(other, &out), 1) << other;
        EXPECT_NE(out.find("is in use"), std::string::npos) << out;
        EXPECT_NE(out.find("orvane make"), std::string::npos) << out;
        EXPECT_NE(out.find(folder.base().string()), std::string::npos) << out;
    }
    int status = 0;
    waitpid(render, &status, 0);
    const std::string made = readFile(log);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << made;
    // Every template of the album played: nothing was skipped or missing.
    EXPECT_EQ(made.find("错误"), std::string::npos) << made;
    EXPECT_EQ(countVideoFrames(dir.path() / "album.mpg"), 300);
}

// An album made over an existing file replaces it, as before, and says so.
TEST_F(MakeCliTest, AnExistingFileIsReplacedAndSaidSo) {
    const std::string arguments =
        "--format dvd --size 320x176 --quality normal -o '" + (dir.path() / "album").string() + "'";
    std::string out;
    ASSERT_EQ(runCommand(make(arguments), &out), 0) << out;
    EXPECT_EQ(out.find("replaced an existing file"), std::string::npos) << out;
    writeFile(dir.path() / "album.mpg", "an earlier album");
    ASSERT_EQ(runCommand(make(arguments), &out), 0) << out;
    EXPECT_NE(out.find("replaced an existing file: " + (dir.path() / "album.mpg").string()),
              std::string::npos)
        << out;
    EXPECT_EQ(countVideoFrames(dir.path() / "album.mpg"), 170);
}

// A template whose movie cannot be played is left out: the video is made,
// the template is named, and the exit status (3, told by --help) says so.
TEST_F(MakeCliTest, TemplatesThatCannotBePlayedAreNamedAndEndWithStatusThree) {
    const std::string damaged = "FWS\x08\x20\x00\x00\x00 this is no movie";
    packing::writePackage(folder.movieStore() / "t1.rar",
                          packing::Bytes(damaged.begin(), damaged.end()));
    std::string out;
    EXPECT_EQ(runCommand(make("--format dvd --size 320x176 -o '" +
                              (dir.path() / "without").string() + "'"),
                         &out),
              3)
        << out;
    EXPECT_TRUE(fs::exists(dir.path() / "without.mpg")) << out;
    EXPECT_NE(out.find("could not be played"), std::string::npos) << out;
    EXPECT_NE(out.find(folder.instanceMovie(1).string()), std::string::npos) << out;

    EXPECT_EQ(runCommand("'" + std::string(ORVANE_BINARY) + "' make --help", &out), 0);
    EXPECT_NE(out.find("Exit status: 0 the album was made; 3"), std::string::npos) << out;
}

// A run killed outright (SIGKILL) while it writes its output: the video
// goes to a temporary file, the pictures to a temporary folder, and nothing
// under the output's name looks made. The next run starts, removes what the
// killed one wrote and notes nothing more.
TEST_F(MakeCliTest, ARunKilledOutrightDoesNotBlockTheNext) {
    writeSong(dir.path() / "long.mp3", 40.0);
    struct Case {
        const char* format;
        const char* output;
        const char* made;  // the name the output gets when complete
        int written;       // pictures in the temporary folder before the kill (0: a file)
    };
    const Case cases[] = {
        {"dvd", "killed-video", "killed-video.mpg", 0},
        {"jpg", "killed-pictures", "killed-pictures", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const std::string output = c.output;
        const pid_t render = startCommand(
            make("--music '" + (dir.path() / "long.mp3").string() + "' --sync music --format " +
                 c.format + " --size 1280x720 -o '" + (dir.path() / output).string() + "'"),
            dir.path() / "make.log");
        ASSERT_TRUE(waitForHolder(folder, "orvane make"));
        auto leftovers = [&] {
            std::vector<std::string> found;
            for (const auto& entry : fs::directory_iterator(dir.path()))
                if (entry.path().filename().string().find(output) != std::string::npos)
                    found.push_back(entry.path().filename().string());
            return found;
        };
        // Killed once the temporary output is there, with a few pictures in it.
        auto writing = [&] {
            const std::vector<std::string> found = leftovers();
            if (found.size() != 1) return false;
            const fs::path temporary = dir.path() / found.front();
            if (c.written == 0) return fs::is_regular_file(temporary);
            std::error_code ec;
            const auto pictures = std::distance(fs::directory_iterator(temporary, ec), {});
            return !ec && pictures >= c.written;
        };
        for (int i = 0; i < 400 && !writing(); ++i) usleep(25'000);
        ASSERT_TRUE(writing()) << readFile(dir.path() / "make.log");
        kill(render, SIGKILL);
        waitpid(render, nullptr, 0);
        EXPECT_FALSE(fs::exists(dir.path() / c.made));
        ASSERT_EQ(leftovers().size(), 1u);
        EXPECT_EQ(leftovers().front().rfind("." + std::string(c.made) + ".", 0), 0u)
            << leftovers().front();

        const std::string next = std::string("next-") + c.format;
        std::string out;
        EXPECT_EQ(runCommand(
                      make("--format dvd --size 320x176 -o '" + (dir.path() / next).string() + "'"),
                      &out),
                  0)
            << out;
        EXPECT_TRUE(fs::exists(dir.path() / (next + ".mpg")));
        // The next run cleaned up after the killed one: nothing is left beside
        // the output it was making, and nothing noted in the working folder.
        EXPECT_TRUE(leftovers().empty()) << leftovers().front();
        EXPECT_FALSE(fs::exists(folder.outputJournal()));
    }
}

TEST_F(MakeCliTest, CtrlCAndAFullDiskLeaveNoFile) {
    // Long enough that the interrupt after 3 s always comes mid-render, also
    // on an idle machine that makes several hundred frames a second.
    writeSong(dir.path() / "long.mp3", 600.0);
    const std::string longAlbum = "--music '" + (dir.path() / "long.mp3").string() +
                                  "' --sync music --format dvd --size 1280x720 -o '" +
                                  (dir.path() / "stopped").string() + "'";
    std::string out;
    const int stopped = runCommand(make(longAlbum, "timeout -s INT 3 "), &out);
    EXPECT_NE(stopped, 0) << out;
    EXPECT_NE(out.find("stopped"), std::string::npos) << out;
    EXPECT_FALSE(fs::exists(dir.path() / "stopped.mpg"));

    // At most 600 KB per file: the working files fit, the video does not.
    // Writes past the limit fail (EFBIG) instead of killing the process.
    const int full =
        runCommand(make("--format dvd --size 1280x720 -o '" + (dir.path() / "full").string() + "'",
                        "trap '' XFSZ; ulimit -f 1200; "),
                   &out);
    EXPECT_NE(full, 0) << out;
    EXPECT_FALSE(out.empty());
    EXPECT_FALSE(fs::exists(dir.path() / "full.mpg"));
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().string().find("full"), std::string::npos) << entry.path();
}

// The disk fills while the photos are staged (no file may grow past 20 KB,
// less than one staged picture): the run fails naming the cause, the
// working folder and the user's photos are as they were, and nothing is made.
TEST_F(MakeCliTest, AFullDiskDuringStagingLeavesEverythingAsItWas) {
    const auto workingBefore = folderListing(folder.base());
    const std::string photoA = readFile(dir.path() / "a.jpg");
    const std::string photoB = readFile(dir.path() / "b.jpg");
    std::string out;
    const int status =
        runCommand(make("--format dvd --size 320x176 -o '" + (dir.path() / "staged").string() + "'",
                        "trap '' XFSZ; ulimit -f 40; "),
                   &out);
    EXPECT_NE(status, 0) << out;
    EXPECT_NE(out.find("File too large"), std::string::npos) << out;
    auto workingAfter = folderListing(folder.base());
    workingAfter.erase("orvane.lock");  // the runs' lock stays, empty
    EXPECT_EQ(workingAfter, workingBefore);
    EXPECT_EQ(readFile(dir.path() / "a.jpg"), photoA);
    EXPECT_EQ(readFile(dir.path() / "b.jpg"), photoB);
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().string().find("staged"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace orvane
