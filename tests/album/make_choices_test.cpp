// What a make command decides before the album is made: the output type of
// each command, the save dialog's filter, the output path and shown name
// made of the chosen name.

#include "render/album/make_choices.h"

#include <gtest/gtest.h>

#include "app/working_folder.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

TEST(MakeChoices, EachCommandMakesItsTypeWithItsFilterAndExtension) {
    struct Case {
        const char* caption;
        const char* type;
        const char* filter;
        const char* typed;
        const char* file;
        const char* shown;
    };
    const Case cases[] = {
        {"VCD", "VCD", "VCD 格式相册|*.mpg", "album", "album.mpg", "album"},
        {"SVCD", "SVCD", "SVCD 格式相册|*.mpg", "album", "album.mpg", "album"},
        {"DVD", "DVD", "DVD 格式相册|*.mpg", "album", "album.mpg", "album"},
        // The extension is appended whatever was typed.
        {"DVD", "DVD", "DVD 格式相册|*.mpg", "album.mpg", "album.mpg.mpg", "album.mpg"},
        {"AVI", "AVI", "AVI 格式相册|*.avi", "我的相册", "我的相册.avi", "我的相册"},
        {"MP4", "MP4", "MP4 格式相册|*.mp4", "trip", "trip.mp4", "trip"},
        {"序列图", "XLTP", "生成 PCX 序列图片|*.PCX", "frames", "frames", "frames"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString type = makeCommandOutputType(QString::fromUtf8(c.caption));
        ASSERT_EQ(type, QString::fromUtf8(c.type));
        AlbumSettings settings;
        settings.outputType = type;
        settings.imageSequenceFormat = QStringLiteral("PCX");
        EXPECT_EQ(saveDialogFilter(settings), QString::fromUtf8(c.filter));
        const auto output = makeOutputFor(settings, toQString(dir.path() / c.typed));
        ASSERT_TRUE(output.has_value());
        EXPECT_EQ(output->path, toQString(dir.path() / c.file));
        EXPECT_EQ(output->savedName, QString::fromUtf8(c.shown));
    }
    for (const char* other : {"相册长度", "序列", "dvd", "mp4", ""})
        EXPECT_TRUE(makeCommandOutputType(QString::fromUtf8(other)).isEmpty()) << other;
}

TEST(MakeChoices, APictureSequenceNeedsAFolderThatDoesNotExistYet) {
    TempDir dir;
    fs::create_directories(dir.path() / "taken");
    testing::writeFile(dir.path() / "file", "x");
    AlbumSettings settings;
    settings.outputType = QStringLiteral("XLTP");
    for (const char* name : {"taken", "file"}) {
        const auto output = makeOutputFor(settings, toQString(dir.path() / name));
        ASSERT_FALSE(output.has_value()) << name;
        EXPECT_EQ(output.error().message, QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
    }
    // A video may be saved over an existing file's name: the encoder
    // replaces it only once the new album is complete.
    settings.outputType = QStringLiteral("DVD");
    EXPECT_TRUE(makeOutputFor(settings, toQString(dir.path() / "file")).has_value());
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
