#include "base/working_folder.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

using namespace orvane;
using orvane::testing::TempDir;
using orvane::testing::writeFile;

namespace {

std::string rel(const WorkingFolder& wf, const fs::path& p) {
    return p.lexically_relative(wf.root()).generic_string();
}

}  // namespace

TEST(WorkingFolder, PathTable) {
    const WorkingFolder wf("/opt/orvane");
    const std::pair<fs::path, const char*> cases[] = {
        {wf.movieStore(), "smxcwjj/wj_0_or_2/wjj_01"},
        {wf.parameterStore(), "smxcwjj/wj_0_or_2/wjj_02"},
        {wf.endingPackage(), "smxcwjj/wj_0_or_1/wj_1.rar"},
        {wf.parameterIntermediate(3, 22), "smxcwjj/wj_0_or_2/wjj_00_j_y/wjj_00_j_y3-22.rar"},
        {wf.parameterPayload(1), "smxcwjj/wj_0_or_2/wjj_00_j_y/wjj_00_j_y1.ini"},
        {wf.movieIntermediate(7, 1), "smxcwjj/wj_0_or_1/wj_1_jy/wj_1_jy7-1.rar"},
        {wf.endingIntermediate(5), "smxcwjj/wj_0_or_1/wj_1_jy/w_j_zuihou-5.rar"},
        {wf.instanceMovie(12), "smxcwjj/tp_wjj/tp_wjj/tp_wjj_12/w_j_12.rar"},
        {wf.instancePicture(2, 3), "smxcwjj/tp_wjj/tp_wjj/tp_wjj_2/picture_3.rar"},
        {wf.endingMovie(), "smxcwjj/tp_wjj/tp_wjj/tp_wjj_zuihou/w_j_zuihou.rar"},
        {wf.transitionPicture(), "smxcwjj/tp_wjj/pic/picture_0.rar"},
        {wf.thumbnail(1, 4), "smxcwjj/tp_wj/tp_slt_1/tp_slt_1_4.bmp"},
        {wf.thumbnail(3, 1), "smxcwjj/tp_wj/tp_slt_3/tp_slt_3_1.bmp"},
        {wf.composedFrame(), "smxcwjj/tp_load/tp_load_1.bmp"},
        {wf.lastFrameJpeg(), "smxcwjj/tp_load/tp_load_1_2_1.jpg"},
        {wf.previewFolder(), "smxcwjj/wj_yl_xg_1"},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(rel(wf, path), expected);
    EXPECT_EQ(wf.leftoverFiles().size(), 20u);

    PackageExtensions ext;
    ext.ext2 = QStringLiteral(".jpg");
    EXPECT_EQ(WorkingFolder("/r", ext).transitionPicture().filename(), "picture_0.jpg");
}

class Cleaning : public ::testing::Test {
   protected:
    TempDir tmp;
    fs::path root = tmp.path() / "app";
    fs::path outside = tmp.path() / "precious";
    WorkingFolder wf{root};

    void SetUp() override {
        writeFile(outside / "keep.txt", "keep");
        writeFile(wf.movieStore() / "a.rar", "movie");
        writeFile(wf.parameterStore() / "a.rar", "params");
        writeFile(wf.thumbnail(1, 1), "stale");
        writeFile(wf.thumbnail(2, 1), "stale");
        writeFile(wf.instanceMovie(1), "movie");
        writeFile(wf.transitionPicture(), "pic");
        writeFile(wf.composedFrame(), "frame");
        writeFile(wf.base() / "tp_0" / "tp_slt_0_02.rar", "x");
        writeFile(wf.parameterPayload(1), "ini");
        writeFile(wf.previewFolder() / "x" / "y.rar", "x");
        // Links inside the tree to things outside it.
        fs::create_directory_symlink(outside, wf.thumbnailFolder(1) / "link-to-folder");
        fs::create_symlink(outside / "keep.txt", wf.instanceFolder(1) / "link-to-file");
    }

    void expectOutsideIntact() {
        EXPECT_EQ(orvane::testing::readFile(outside / "keep.txt"), "keep");
    }
};

TEST_F(Cleaning, AtStartLeavesEmptyThumbnailFoldersAndKeepsTheStore) {
    wf.cleanAtStart();
    expectOutsideIntact();
    for (int kind = 1; kind <= 3; ++kind) {
        ASSERT_TRUE(fs::is_directory(wf.thumbnailFolder(kind)));
        EXPECT_TRUE(fs::is_empty(wf.thumbnailFolder(kind)));
    }
    EXPECT_TRUE(fs::is_directory(wf.movieUnpackFolder()));
    EXPECT_FALSE(fs::exists(wf.instancesFolder()));
    EXPECT_FALSE(fs::exists(wf.transitionFolder()));
    EXPECT_FALSE(fs::exists(wf.composedFrame()));
    EXPECT_FALSE(fs::exists(wf.previewFolder()));
    EXPECT_FALSE(fs::exists(wf.base() / "tp_0" / "tp_slt_0_02.rar"));
    EXPECT_TRUE(fs::is_directory(wf.loadFolder()));  // installed folders stay
    EXPECT_TRUE(fs::exists(wf.movieStore() / "a.rar"));
    EXPECT_TRUE(fs::exists(wf.parameterStore() / "a.rar"));
}

TEST_F(Cleaning, AtExitRemovesEveryWorkingFile) {
    wf.cleanAtExit();
    expectOutsideIntact();
    EXPECT_FALSE(fs::exists(wf.base() / "tp_wj"));
    EXPECT_FALSE(fs::exists(wf.base() / "tp_wjj"));
    EXPECT_FALSE(fs::exists(wf.parameterUnpackFolder()));
    EXPECT_FALSE(fs::exists(wf.movieUnpackFolder()));
    EXPECT_FALSE(fs::exists(wf.previewFolder()));
    EXPECT_FALSE(fs::exists(wf.composedFrame()));
    EXPECT_TRUE(fs::exists(wf.movieStore() / "a.rar"));
}

TEST_F(Cleaning, RemoveTreeNeverLeavesTheWorkingFolder) {
    // Paths outside smxcwjj, however they are spelled, are left alone.
    const fs::path attempts[] = {
        outside,
        wf.base() / ".." / ".." / "precious",
        wf.thumbnailFolder(1) / "link-to-folder" / "keep.txt",
        wf.base(),
        root,
    };
    for (const fs::path& p : attempts) {
        EXPECT_FALSE(wf.contains(p)) << p;
        wf.removeTree(p);
    }
    expectOutsideIntact();
    EXPECT_TRUE(fs::exists(wf.movieStore()));

    // A link given directly is removed as a link.
    const fs::path link = wf.thumbnailFolder(1) / "link-to-folder";
    EXPECT_TRUE(wf.contains(link));
    wf.removeTree(link);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    expectOutsideIntact();
}

TEST(WorkingFolder, RecreateMakesMissingParents) {
    TempDir tmp;
    WorkingFolder wf(tmp.path());
    wf.recreateFolder(wf.thumbnailFolder(2));
    EXPECT_TRUE(fs::is_directory(wf.thumbnailFolder(2)));
}

// A build killed while it wrote a picture sequence: the next start removes
// the temporary folder it left beside the noted output, and nothing else.
TEST_F(Cleaning, AtStartRemovesTheOutputAKilledBuildLeftAndNothingElse) {
    const fs::path album = outside / "album";
    wf.noteOutputInProgress(album);
    const fs::path stale = outside / ".album.123456.part";
    writeFile(stale / "01.JPG", "picture");
    writeFile(stale / ".02.JPG.654321.part", "half a picture");
    fs::create_symlink(outside / "keep.txt", stale / "link-to-file");
    // What the user has there: the folder itself (made since), a folder of
    // that pattern holding a subfolder, and names that only look alike.
    writeFile(album / "01.JPG", "mine");
    writeFile(outside / ".album.222222.part" / "sub" / "x.txt", "mine");
    writeFile(outside / ".album.12345.part" / "01.JPG", "mine");
    writeFile(outside / ".other.123456.part", "mine");
    wf.cleanAtStart();
    expectOutsideIntact();
    EXPECT_FALSE(fs::exists(fs::symlink_status(stale)));
    EXPECT_EQ(orvane::testing::readFile(album / "01.JPG"), "mine");
    EXPECT_TRUE(fs::exists(outside / ".album.222222.part" / "sub" / "x.txt"));
    EXPECT_TRUE(fs::exists(outside / ".album.12345.part" / "01.JPG"));
    EXPECT_TRUE(fs::exists(outside / ".other.123456.part"));
    EXPECT_FALSE(fs::exists(wf.outputJournal()));
}
