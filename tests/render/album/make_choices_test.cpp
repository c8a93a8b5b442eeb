// What a make command decides before the album is made: the save dialog's
// filter, the output path and shown name
// made of the chosen name.

#include "render/album/make_choices.h"

#include <gtest/gtest.h>

#include "base/working_folder.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

TEST(MakeChoices, EachTypeHasItsFilterAndExtension) {
    struct Case {
        const char* type;
        const char* filter;
        const char* typed;
        const char* file;
        const char* shown;
    };
    const Case cases[] = {
        {"VCD", "VCD 格式相册|*.mpg", "album", "album.mpg", "album"},
        {"SVCD", "SVCD 格式相册|*.mpg", "album", "album.mpg", "album"},
        {"DVD", "DVD 格式相册|*.mpg", "album", "album.mpg", "album"},
        // The extension is appended whatever was typed.
        {"DVD", "DVD 格式相册|*.mpg", "album.mpg", "album.mpg.mpg", "album.mpg"},
        {"AVI", "AVI 格式相册|*.avi", "我的相册", "我的相册.avi", "我的相册"},
        {"MP4", "MP4 格式相册|*.mp4", "trip", "trip.mp4", "trip"},
        {"XLTP", "生成 PCX 序列图片|*.PCX", "frames", "frames", "frames"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        AlbumSettings settings;
        settings.outputType = enumFromLegacy<OutputType>(QString::fromUtf8(c.type)).value();
        settings.imageSequenceFormat = QStringLiteral("PCX");
        EXPECT_EQ(saveDialogFilter(settings), QString::fromUtf8(c.filter));
        const auto output = makeOutputFor(settings, toQString(dir.path() / c.typed));
        ASSERT_TRUE(output.has_value());
        EXPECT_EQ(output->path, toQString(dir.path() / c.file));
        EXPECT_EQ(output->savedName, QString::fromUtf8(c.shown));
    }
}

// What the final name would replace is found on that name, the extension
// appended: "album" is free beside an "album" file, "album.mpg" is not. A
// picture sequence replaces only a folder of an earlier sequence; a name
// that cannot be taken at all is refused.
TEST(MakeChoices, TheFinalNameSaysWhatTheAlbumWouldReplace) {
    TempDir dir;
    testing::writeFile(dir.path() / "album", "not a video");
    testing::writeFile(dir.path() / "trip.mpg", "an earlier video");
    fs::create_directories(dir.path() / "folder.mpg");
    testing::writeFile(dir.path() / "frames" / "01.JPG", "an earlier picture");
    testing::writeFile(dir.path() / "mine" / "notes.txt", "mine");
    struct Case {
        const char* type;
        const char* typed;
        bool refused;
        bool replaces;
    };
    const Case cases[] = {
        {"DVD", "album", false, false},  // album.mpg is free
        {"DVD", "trip", false, true},
        {"MP4", "trip", false, false},
        {"DVD", "folder", true, false},  // a folder cannot become a video
        {"XLTP", "new", false, false},
        {"XLTP", "frames", false, true},
        {"XLTP", "mine", true, false},
        {"XLTP", "album", true, false},  // a file where the folder would go
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.typed);
        AlbumSettings settings;
        settings.outputType = enumFromLegacy<OutputType>(QLatin1String(c.type)).value();
        const auto output = makeOutputFor(settings, toQString(dir.path() / c.typed));
        ASSERT_EQ(output.has_value(), !c.refused);
        if (c.refused) {
            EXPECT_EQ(output.error().message,
                      QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
            continue;
        }
        EXPECT_EQ(output->replaces, c.replaces);
    }
}

TEST(MakeChoices, TheLyricTypeIsAskedOnlyWithSongsAndKaraokeLyrics) {
    for (int songs : {0, 1})
        for (int karaoke : {0, 2}) {
            ProjectModel model;
            for (int i = 0; i < songs; ++i) model.music.append(MusicEntry{});
            for (int i = 0; i < karaoke; ++i) model.karaoke.append(KaraokeEntry{});
            EXPECT_EQ(asksLyricKind(model), songs > 0 && karaoke > 0) << songs << " " << karaoke;
        }
}

}  // namespace
}  // namespace orvane
