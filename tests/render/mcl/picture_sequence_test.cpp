// Picture sequences: the folder rule, the names, the count and the pictures.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "mcl_fixture.h"
#include "render/mcl/image_sequence_folder.h"
#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

QString folderOf(const TempDir& dir) { return QString::fromStdString(dir.path().string()); }

struct PictureCase {
    const char* format;
    const char* codec;  // ffprobe's name for the pictures
};

class PictureSequence : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureSequence, WritesOneNumberedPicturePerFrame) {
    const PictureCase& c = GetParam();
    TempDir dir;
    const QString folder = folderOf(dir) + "/holiday/album";
    ImageSequenceFolder sequence(folder, QString::fromLatin1(c.format));
    const auto created = sequence.create();
    ASSERT_TRUE(created) << created.error().message.toStdString();
    EXPECT_EQ(sequence.firstPicture(), folder + "/01." + c.format);

    AlbumRun run;
    run.width = 96;
    run.height = 64;
    run.frames = 12;
    run.output = sequence.temporaryFirstPicture();
    run.songs = {folderOf(dir) + "/no-sound-in-pictures.mp3"};  // never opened
    const AlbumResult result = encodeAlbum(run);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    // Nothing is under the folder's name until the sequence is put in place.
    EXPECT_EQ(folderEntries(folderOf(dir) + "/holiday"),
              QStringList{QFileInfo(sequence.temporaryFolder()).fileName()});
    const auto committed = sequence.commit();
    ASSERT_TRUE(committed) << committed.error().message.toStdString();
    EXPECT_EQ(folderEntries(folderOf(dir) + "/holiday"), QStringList{"album"});

    QStringList expected;
    for (int i = 1; i <= 12; ++i)
        expected << QStringLiteral("%1.%2").arg(i, 2, 10, QChar('0')).arg(c.format);
    EXPECT_EQ(folderEntries(folder), expected);
    for (const QString& name : {expected.first(), expected.last()}) {
        const Probe p = probe(folder + "/" + name);
        ASSERT_TRUE(p.video) << name.toStdString();
        EXPECT_EQ(p.video->codec, QLatin1String(c.codec));
        EXPECT_EQ(p.video->width, 96);
        EXPECT_EQ(p.video->height, 64);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureSequence,
                         ::testing::Values(PictureCase{"JPG", "mjpeg"}, PictureCase{"BMP", "bmp"},
                                           PictureCase{"TGA", "targa"}, PictureCase{"PCX", "pcx"}),
                         [](const auto& info) { return std::string(info.param.format); });

TEST(PictureSequenceNames, NumbersGrowPastTwoDigitsAndPicturesMatchTheirFrames) {
    TempDir dir;
    AlbumRun run;
    run.width = 32;
    run.height = 32;
    run.frames = 101;
    run.output = folderOf(dir) + "/01.jpg";
    ASSERT_TRUE(encodeAlbum(run).ok);
    const QStringList names = folderEntries(folderOf(dir));
    EXPECT_EQ(names.size(), 101);
    EXPECT_TRUE(names.contains("09.jpg"));
    EXPECT_TRUE(names.contains("99.jpg"));
    EXPECT_TRUE(names.contains("100.jpg"));
    EXPECT_TRUE(names.contains("101.jpg"));
    for (int frame : {0, 45, 100}) {
        const QImage picture(folderOf(dir) +
                             QStringLiteral("/%1.jpg").arg(frame + 1, 2, 10, QChar('0')));
        ASSERT_FALSE(picture.isNull()) << frame;
        const QColor got = picture.pixelColor(16, 28);
        EXPECT_NEAR(got.red(), albumColour(frame).red(), 16) << frame;
        EXPECT_NEAR(got.green(), albumColour(frame).green(), 16) << frame;
        EXPECT_NEAR(got.blue(), albumColour(frame).blue(), 16) << frame;
    }
}

TEST(PictureSequenceFolder, AnExistingNameIsRefusedAndNothingIsWritten) {
    TempDir dir;
    const QString folder = folderOf(dir) + "/album";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folderOf(dir) + "/file";
    writeFile(dir.path() / "file", "x");
    fs::create_symlink(dir.path() / "nowhere", dir.path() / "link");
    for (const QString& name : {folder, file, folderOf(dir) + "/link"}) {
        ImageSequenceFolder sequence(name, "JPG");
        const auto created = sequence.create();
        ASSERT_FALSE(created);
        EXPECT_EQ(created.error().message,
                  QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
    }
    EXPECT_TRUE(folderEntries(folder).isEmpty());
    EXPECT_EQ(readFile(dir.path() / "file"), "x");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link"));
    EXPECT_EQ(folderEntries(folderOf(dir)), (QStringList{"album", "file"}));  // no temporary folder
}

TEST(PictureSequenceFolder, FormatsAreTheFourPictureKinds) {
    for (const char* format : {"JPG", "bmp", "Tga", "PCX"})
        EXPECT_TRUE(isImageSequenceFormat(format)) << format;
    for (const char* format : {"PNG", "", "MPG"})
        EXPECT_FALSE(isImageSequenceFormat(format)) << format;
    TempDir dir;
    EXPECT_FALSE(ImageSequenceFolder(folderOf(dir) + "/x", "PNG").create());
    EXPECT_TRUE(folderEntries(folderOf(dir)).isEmpty());
}

// A sequence not put in place leaves nothing beside what the folder held
// before; one whose name was taken while it was made leaves that alone.
TEST(PictureSequenceFolder, ASequenceNotPutInPlaceLeavesNothing) {
    TempDir dir;
    writeFile(dir.path() / "before.txt", "mine");
    const QString folder = folderOf(dir) + "/album";
    AlbumRun run;
    run.width = 32;
    run.height = 32;
    run.frames = 5;
    {
        ImageSequenceFolder sequence(folder, "BMP");
        ASSERT_TRUE(sequence.create());
        run.output = sequence.temporaryFirstPicture();
        ASSERT_TRUE(encodeAlbum(run).ok);
        EXPECT_EQ(folderEntries(sequence.temporaryFolder()).size(), 5);
    }
    EXPECT_EQ(folderEntries(folderOf(dir)), QStringList{"before.txt"});
    {
        ImageSequenceFolder sequence(folder, "BMP");
        ASSERT_TRUE(sequence.create());
        run.output = sequence.temporaryFirstPicture();
        ASSERT_TRUE(encodeAlbum(run).ok);
        writeFile(dir.path() / "album" / "01.BMP", "made meanwhile");
        const auto committed = sequence.commit();
        ASSERT_FALSE(committed);
        EXPECT_TRUE(committed.error().message.contains(QDir::toNativeSeparators(folder)))
            << committed.error().message.toStdString();
    }
    EXPECT_EQ(folderEntries(folderOf(dir)), (QStringList{"album", "before.txt"}));
    EXPECT_EQ(folderEntries(folder), QStringList{"01.BMP"});
    EXPECT_EQ(readFile(dir.path() / "album" / "01.BMP"), "made meanwhile");
}

// Replacing is for an earlier picture sequence only: a folder with anything
// else in it (the user's own files, a subfolder) or a link is never emptied.
TEST(PictureSequenceFolder, OnlyAnEarlierSequenceIsReplacedAndInOneStep) {
    TempDir dir;
    const QString old = folderOf(dir) + "/old";
    for (const char* name : {"01.JPG", "02.JPG", "03.jpg", "170.JPG"})
        writeFile(dir.path() / "old" / name, "earlier");
    writeFile(dir.path() / "mine" / "01.JPG", "earlier");
    writeFile(dir.path() / "mine" / "notes.txt", "mine");
    writeFile(dir.path() / "nested" / "01.JPG", "earlier");
    fs::create_directories(dir.path() / "nested" / "sub");
    fs::create_symlink(dir.path() / "old", dir.path() / "link");
    fs::create_directories(dir.path() / "empty");
    EXPECT_TRUE(isReplaceableSequenceFolder(old));
    EXPECT_TRUE(isReplaceableSequenceFolder(folderOf(dir) + "/empty"));
    for (const char* name : {"mine", "nested", "link", "missing"}) {
        EXPECT_FALSE(isReplaceableSequenceFolder(folderOf(dir) + "/" + name)) << name;
        ImageSequenceFolder sequence(folderOf(dir) + "/" + name, "JPG", true);
        if (std::string(name) == "missing") continue;  // a new folder, nothing to replace
        const auto created = sequence.create();
        ASSERT_FALSE(created) << name;
        EXPECT_EQ(created.error().message,
                  QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
    }
    EXPECT_EQ(readFile(dir.path() / "mine" / "notes.txt"), "mine");

    // Not asked to replace: refused even for a sequence.
    EXPECT_FALSE(ImageSequenceFolder(old, "JPG").create());

    AlbumRun run;
    run.width = 32;
    run.height = 32;
    run.frames = 3;
    {
        ImageSequenceFolder sequence(old, "JPG", true);
        ASSERT_TRUE(sequence.create());
        run.output = sequence.temporaryFirstPicture();
        ASSERT_TRUE(encodeAlbum(run).ok);
        // The earlier pictures stay until the new ones are complete.
        EXPECT_EQ(readFile(dir.path() / "old" / "170.JPG"), "earlier");
        ASSERT_TRUE(sequence.commit());
        EXPECT_TRUE(sequence.replacedExisting());
    }
    EXPECT_EQ(folderEntries(old), (QStringList{"01.JPG", "02.JPG", "03.JPG"}));
    EXPECT_FALSE(QImage(old + "/01.JPG").isNull());
    EXPECT_EQ(folderEntries(folderOf(dir)),
              (QStringList{"empty", "link", "mine", "nested", "old"}));  // nothing left aside
}

}  // namespace
