// The album's length, sound track and what follows the last template, for
// each timeline choice; the play list and the log.

#include "render/album/album_timeline.h"

#include <gtest/gtest.h>

#include "render/album/album_log.h"
#include "render/album/template_usage.h"

namespace orvane {
namespace {

struct TimelineCase {
    const char* name;
    std::vector<int> templates;
    std::vector<int> songs;
    const char* syncMode;
    bool loopMusic;
    bool loopPictures;
    int totalFrames;
    std::vector<int> songOrder;
    bool truncate;
    AfterLastInstance after;
};

void PrintTo(const TimelineCase& c, std::ostream* os) { *os << c.name; }

class TimelineTest : public ::testing::TestWithParam<TimelineCase> {};

TEST_P(TimelineTest, LengthSongsAndEnd) {
    const TimelineCase& c = GetParam();
    AlbumSettings settings;
    settings.syncMode = enumFromLegacy<SyncMode>(QLatin1String(c.syncMode)).value();
    settings.loopMusicToFill = c.loopMusic;
    settings.loopPicturesToFill = c.loopPictures;
    const AlbumTimeline t = planAlbumTimeline(c.templates, c.songs, settings);
    EXPECT_EQ(t.totalFrames, c.totalFrames);
    EXPECT_EQ(t.songOrder, c.songOrder);
    EXPECT_EQ(t.truncateAudioToVideo, c.truncate);
    EXPECT_EQ(t.afterLastInstance, c.after);
}

constexpr auto kClosing = AfterLastInstance::ClosingTemplate;
constexpr auto kLoop = AfterLastInstance::LoopInstances;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Timelines, TimelineTest,
    ::testing::Values(
        // Photo length: instances + 100, songs once in order, cut at the end.
        TimelineCase{"NoSongs", {250, 300}, {}, "sui_zhaopian_tongbu", false, false, 650, {}, true, kClosing},
        TimelineCase{"PhotoLength", {250, 300}, {1000, 200}, "sui_zhaopian_tongbu", false, false, 650, {0, 1}, true, kClosing},
        // Looping music repeats the songs in order until they cover the picture.
        TimelineCase{"LoopMusic", {250, 300}, {200, 100}, "sui_zhaopian_tongbu", true, false, 650, {0, 1, 0, 1, 0}, true, kClosing},
        TimelineCase{"LoopMusicLongSongs", {250}, {1000}, "sui_zhaopian_tongbu", true, false, 350, {0}, true, kClosing},
        // Photo length ignores the picture loop.
        TimelineCase{"PhotoLengthIgnoresPictureLoop", {250}, {100}, "sui_zhaopian_tongbu", false, true, 350, {0}, true, kClosing},
        // Music length: the songs' frames, whatever the pictures.
        TimelineCase{"MusicLength", {250, 300}, {1000, 500}, "sui_yinyue_tongbu", false, false, 1500, {0, 1}, false, kClosing},
        TimelineCase{"MusicShorterThanPictures", {250, 300}, {125}, "sui_yinyue_tongbu", false, false, 125, {0}, false, kClosing},
        TimelineCase{"MusicLoopPictures", {250}, {1000}, "sui_yinyue_tongbu", false, true, 1000, {0}, false, kLoop},
        // Music length without songs falls back to photo length.
        TimelineCase{"MusicLengthNoSongs", {250}, {}, "sui_yinyue_tongbu", false, true, 350, {}, true, kClosing}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(TemplateUsage, RowsFromPhotosAndPlayListOfStagedInstances) {
    ProjectModel model;
    model.templateInstanceCount = QStringLiteral("3");
    auto photo = [](const char* folder, const char* frames) {
        PhotoEntry p;
        p.templateFolder = QString::fromUtf8(folder);
        p.mainTemplateNo = QStringLiteral("7");
        p.templatePhotoCount = QStringLiteral("1");
        p.templatePath = QStringLiteral("/store/t7.rar");
        p.slotOrientation = QStringLiteral("|heng|");
        p.slotJpgName = QStringLiteral("|picture_1|");
        p.templateFrameCount = QString::fromUtf8(frames);
        return p;
    };
    model.photos.append(photo("1", "250"));
    model.photos.append(photo("3", "300"));  // instance 2 lost its photos
    const WorkingFolder folder("/album");

    const TemplateUsageTable usage = buildTemplateUsageTable(model, folder);
    ASSERT_EQ(usage.count(), 3);
    EXPECT_EQ(rowToTexts(usage.at(0), templateUsageFields()),
              (QStringList{"1", "1", "7", "1", "/store/t7.rar", "|heng|", "|picture_1|", "250",
                           toQString(folder.instanceMovie(1))}));
    EXPECT_EQ(usage.at(1).moviePath, QStringLiteral("0"));
    EXPECT_EQ(usage.at(1).index, QStringLiteral("2"));

    const TemplateUsageTable playList = playListFrom(usage);
    ASSERT_EQ(playList.count(), 2);
    EXPECT_EQ(playList.at(1).instanceNo, QStringLiteral("3"));
    EXPECT_EQ(playList.at(1).index, QStringLiteral("2"));
    EXPECT_EQ(templateFrameCounts(playList), (std::vector<int>{250, 300}));
    EXPECT_EQ(fieldCaptions(templateUsageFields()).at(8), QStringLiteral("解压后的模板地址"));
}

TEST(AlbumLog, KeepsTheLast32000LinesAndPassesEveryLineOn) {
    int passed = 0;
    AlbumLog log([&passed](const QString&) { ++passed; });
    for (int i = 1; i <= 32005; ++i) log.add(QString::number(i));
    EXPECT_EQ(passed, 32005);
    ASSERT_EQ(log.size(), 32000);
    const QStringList lines = log.lines();
    EXPECT_EQ(lines.front(), QStringLiteral("6"));
    EXPECT_EQ(lines.back(), QStringLiteral("32005"));
}

}  // namespace
}  // namespace orvane
