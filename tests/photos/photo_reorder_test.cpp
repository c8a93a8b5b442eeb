#include "photos/photo_reorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

// Every file under smxcwjj, by relative path, with its content.
using Snapshot = std::map<std::string, std::string>;

// Five staged photos: A and B share the two-slot template of folder 1, C has
// folder 2, D and E share folder 3. Every file says whose it is: the
// thumbnail "thumb A", the slot picture "slot A", the movie "movie AB" (the
// group is also kept in mainTemplateNo, so it travels with the rows).
struct StagedPhotos {
    TempDir tmp;
    WorkingFolder wf{tmp.path()};
    ProjectModel model;
    std::map<QString, PhotoEntry> original;

    StagedPhotos() {
        add("A", 1, "AB", 1);
        add("B", 1, "AB", 2);
        add("C", 2, "C", 1);
        add("D", 3, "DE", 1);
        add("E", 3, "DE", 2);
        model.templateInstanceCount = "3";
        for (const PhotoEntry& p : model.photos) original[p.fileName] = p;
    }

    void add(const char* name, int folder, const char* group, int slot) {
        PhotoEntry p;
        p.fileName = name;
        p.location = QStringLiteral("/photos/%1.jpg").arg(name);
        p.fileType = ".jpg";
        p.width = "800";
        p.height = "600";
        p.orientation = "heng_zhao";
        p.templateFolder = QString::number(folder);
        p.mainTemplateNo = group;
        p.templatePhotoCount = QString::number(QString(group).size());
        p.imageName = QStringLiteral("picture_%1").arg(slot);
        p.thumbnailState = PhotoStep::Done;
        p.cropState = PhotoStep::Done;
        model.photos.append(p);
        const int n = model.photos.count();
        writeFile(wf.thumbnail(1, n), std::string("thumb ") + name);
        writeFile(wf.instanceMovie(folder), std::string("movie ") + group);
        writeFile(wf.instancePicture(folder, slot), std::string("slot ") + name);
    }

    std::string rel(const fs::path& p) const { return fs::relative(p, wf.base()).string(); }

    Snapshot snapshot() const {
        Snapshot out;
        for (const auto& e : fs::recursive_directory_iterator(wf.base()))
            if (e.is_regular_file()) out[rel(e.path())] = readFile(e.path());
        return out;
    }

    // The files as they must be when the rows are `names` in that order with
    // `folders` as their templateFolder; `skip` says which files were missing
    // before the reorder.
    Snapshot expected(const QString& names, const std::vector<int>& folders,
                      const std::function<bool(const fs::path&)>& skip = {}) const {
        Snapshot out;
        auto put = [&](const fs::path& p, const std::string& content) {
            if (!skip || !skip(p)) out[rel(p)] = content;
        };
        for (int j = 0; j < names.size(); ++j) {
            const PhotoEntry& p = original.at(names.mid(j, 1));
            const int f = folders[static_cast<std::size_t>(j)];
            const std::string name = p.fileName.toStdString();
            put(wf.thumbnail(1, j + 1), "thumb " + name);
            put(wf.instanceMovie(f), "movie " + p.mainTemplateNo.toStdString());
            put(wf.instancePicture(f, p.imageName.mid(8).toInt()), "slot " + name);
        }
        return out;
    }

    QString names() const {
        QString out;
        for (const PhotoEntry& p : model.photos) out += p.fileName;
        return out;
    }

    std::vector<int> folders() const {
        std::vector<int> out;
        for (const PhotoEntry& p : model.photos) out.push_back(p.templateFolder.toInt());
        return out;
    }

    // Every field but the position, the folder number and the visited mark
    // travelled with its photo.
    void expectRowsTravelled() const {
        for (int j = 0; j < model.photos.count(); ++j) {
            PhotoEntry row = model.photos.at(static_cast<std::size_t>(j));
            EXPECT_EQ(row.index, QString::number(j + 1));
            EXPECT_EQ(row.thumbnailState, PhotoStep::Done);
            PhotoEntry was = original.at(row.fileName);
            row.index = was.index;
            row.templateFolder = was.templateFolder;
            row.thumbnailState = was.thumbnailState;
            EXPECT_EQ(rowToTexts(row, photoFields()), rowToTexts(was, photoFields()))
                << "row " << j + 1;
        }
    }
};

struct ReorderCase {
    const char* name;
    std::function<Result<void>(ProjectModel&, const WorkingFolder&)> reorder;
    QString names;
    std::vector<int> folders;
};

void PrintTo(const ReorderCase& c, std::ostream* os) { *os << c.name; }

class PhotoReorder : public ::testing::TestWithParam<ReorderCase> {};

TEST_P(PhotoReorder, ThumbnailsAndTemplateFoldersFollowThePhotos) {
    const ReorderCase& c = GetParam();
    StagedPhotos s;
    ASSERT_EQ(s.snapshot(), s.expected("ABCDE", {1, 1, 2, 3, 3}));

    ASSERT_TRUE(c.reorder(s.model, s.wf).has_value());

    EXPECT_EQ(s.names(), c.names);
    EXPECT_EQ(s.folders(), c.folders);
    EXPECT_EQ(s.model.templateInstanceCount, "3");
    s.expectRowsTravelled();
    // By content, and nothing else left behind (no aside names, no orphans).
    EXPECT_EQ(s.snapshot(), s.expected(c.names, c.folders));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhotoReorder,
    ::testing::Values(ReorderCase{"MoveThirdOfFiveToTheFront",
                                  [](auto& m, auto& f) { return movePhoto(m, f, 2, 0); },
                                  "CABDE",
                                  {1, 2, 2, 3, 3}},
                      ReorderCase{"MoveFirstToTheEnd",
                                  [](auto& m, auto& f) { return movePhoto(m, f, 0, 4); },
                                  "BCDEA",
                                  {1, 2, 3, 3, 1}},
                      // A's folder-mate B and D's folder-mate E keep sharing, under new numbers.
                      ReorderCase{"ExchangeAcrossSharedFolders",
                                  [](auto& m, auto& f) { return exchangePhotos(m, f, 0, 3); },
                                  "DBCAE",
                                  {1, 2, 3, 2, 1}},
                      ReorderCase{"ExchangeWithinOneFolder",
                                  [](auto& m, auto& f) { return exchangePhotos(m, f, 1, 0); },
                                  "BACDE",
                                  {1, 1, 2, 3, 3}},
                      // A release without an exchange still renumbers, which changes no name.
                      ReorderCase{"ReleaseWithoutExchange",
                                  [](auto& m, auto& f) { return exchangePhotos(m, f, 2, 2); },
                                  "ABCDE",
                                  {1, 1, 2, 3, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PhotoReorderFiles, MissingThumbnailAndFolderArePassedOverWithoutLosingOthers) {
    StagedPhotos s;
    fs::remove(s.wf.thumbnail(1, 3));        // C's thumbnail
    fs::remove_all(s.wf.instanceFolder(3));  // the folder of D and E
    ASSERT_TRUE(movePhoto(s.model, s.wf, 2, 0).has_value());

    EXPECT_EQ(s.names(), "CABDE");
    EXPECT_EQ(s.folders(), (std::vector<int>{1, 2, 2, 3, 3}));
    const auto missing = [&](const fs::path& p) {
        return p == s.wf.thumbnail(1, 1) || p.parent_path() == s.wf.instanceFolder(3);
    };
    EXPECT_EQ(s.snapshot(), s.expected("CABDE", {1, 2, 2, 3, 3}, missing));
}

// A file or folder left under a name the renumbering needs stops the
// reorder before anything moves.
TEST(PhotoReorderFiles, ANameInTheWayChangesNothing) {
    const std::vector<std::pair<const char*, std::function<fs::path(const WorkingFolder&)>>> cases{
        {"4_tp_slt_1_4", [](auto& wf) { return wf.renumberingThumbnail(1, 4); }},
        {"2_tp_wjj_2", [](auto& wf) { return wf.renumberingFolder(2) / "x"; }},
        {"a folder no photo uses", [](auto& wf) { return wf.instanceFolder(2) / "x"; }},
    };
    for (const auto& [what, path] : cases) {
        SCOPED_TRACE(what);
        StagedPhotos s;
        if (std::string(what) == "a folder no photo uses") {
            // C lost its folder number to a stray folder: rows use 1 and 3 only.
            fs::rename(s.wf.instanceFolder(2), s.wf.instanceFolder(4));
            s.model.photos.at(2).templateFolder = "4";
        }
        writeFile(path(s.wf), "left over");
        const Snapshot before = s.snapshot();
        std::vector<QStringList> rows;
        for (const PhotoEntry& p : s.model.photos) rows.push_back(rowToTexts(p, photoFields()));

        const auto result = movePhoto(s.model, s.wf, 2, 0);
        ASSERT_FALSE(result.has_value());
        EXPECT_TRUE(result.error().message.contains("in the way"))
            << result.error().message.toStdString();
        EXPECT_EQ(s.snapshot(), before);
        for (std::size_t j = 0; j < rows.size(); ++j)
            EXPECT_EQ(rowToTexts(s.model.photos.at(j), photoFields()), rows[j]);
    }
}

TEST(PhotoReorderFiles, MovesMatchTheDragTargets) {
    // order[j] is the old row now at j.
    EXPECT_EQ(movedOrder(5, 2, 0), (RowOrder{2, 0, 1, 3, 4}));
    EXPECT_EQ(movedOrder(5, 1, 3), (RowOrder{0, 2, 3, 1, 4}));
    EXPECT_EQ(movedOrder(3, 1, 1), (RowOrder{0, 1, 2}));
    EXPECT_EQ(exchangedOrder(4, 3, 0), (RowOrder{3, 1, 2, 0}));
    EXPECT_THROW(movedOrder(3, 3, 0), OrvaneError);
    StagedPhotos s;
    EXPECT_THROW((void)reorderPhotos(s.model, s.wf, RowOrder{0, 0, 1, 2, 3}), OrvaneError);
}

}  // namespace
