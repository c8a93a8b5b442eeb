// The snapshot that puts an operation's file changes back.

#include "base/folder_snapshot.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "job_fixtures.h"

namespace orvane {
namespace {

using namespace orvane::testing;

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

struct SnapshotTest : ::testing::Test {
    void SetUp() override {
        writeFile(kept / "replaced.bmp", "old picture");
        writeFile(kept / "removed.bmp", "removed picture");
        writeFile(kept / "renamed.bmp", "renamed picture");
        writeFile(kept / "sub" / "deep.jpg", "deep");
        writeFile(added / "old.rar", "old layer");
        before = workingTree(folder);
    }
    // What an operation does to the folders.
    void change() {
        ASSERT_TRUE(writeWholeFile(kept / "replaced.bmp", bytes("new picture, longer")));
        fs::remove(kept / "removed.bmp");
        fs::rename(kept / "renamed.bmp", kept / "moved.bmp");
        folder.removeTree(kept / "sub");
        writeFile(kept / "sub" / "other.jpg", "other");
        writeFile(added / "new.rar", "new layer");
        writeFile(missing / "inside" / "made.jpg", "made");
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
    fs::path kept = folder.base() / "tp_wj" / "tp_slt_1";
    fs::path added = folder.movieUnpackFolder();
    fs::path missing = folder.base() / "tp_wjj" / "tp_wjj";  // tp_wjj itself is missing too
    std::map<std::string, std::string> before;
};

TEST_F(SnapshotTest, RestorePutsBackReplacedRemovedAndRenamedFilesAndRemovesNewOnes) {
    {
        FolderSnapshot snapshot(
            folder, {{kept}, {added, KeepMode::AddedEntries}, {missing}, {kept / "sub"}});
        change();
        ASSERT_NE(workingTree(folder), before);
    }  // not kept: restored
    EXPECT_EQ(workingTree(folder), before);
    EXPECT_EQ(readFile(kept / "replaced.bmp"), "old picture");
    EXPECT_FALSE(fs::exists(folder.base() / "tp_wjj"));
    EXPECT_FALSE(fs::exists(folder.keptFilesFolder()));
}

TEST_F(SnapshotTest, KeepLeavesTheChangesAndNoCopy) {
    FolderSnapshot snapshot(folder, {{kept}, {added, KeepMode::AddedEntries}, {missing}});
    change();
    auto changed = workingTree(folder);
    std::erase_if(changed,
                  [](const auto& entry) { return entry.first.starts_with("orvane_keep"); });
    snapshot.keep();
    EXPECT_EQ(workingTree(folder), changed);
    EXPECT_EQ(readFile(kept / "replaced.bmp"), "new picture, longer");
    EXPECT_FALSE(fs::exists(folder.keptFilesFolder()));
}

TEST_F(SnapshotTest, AFolderOutsideTheWorkingFolderIsRefused) {
    EXPECT_THROW(FolderSnapshot(folder, {{dir.path()}}), OrvaneError);
    EXPECT_THROW(FolderSnapshot(folder, {{folder.base()}}), OrvaneError);
}

}  // namespace
}  // namespace orvane
