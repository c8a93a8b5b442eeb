#pragma once
// The working folder smxcwjj and every path under it. Nothing else in the
// program builds a working path by hand. The folder lies beside the
// executable by default; tests and the CLI's --root give another place.
//
// Also here: the recursive delete, which stays inside the working folder and
// never follows a symbolic link, and the cleaning at start and at exit.

#include <QString>
#include <filesystem>
#include <vector>

#include "base/album_settings.h"

namespace orvane {

namespace fs = std::filesystem;

inline fs::path toPath(const QString& text) { return fs::path(text.toStdString()); }
inline QString toQString(const fs::path& path) { return QString::fromStdString(path.string()); }

// The folder of the running executable.
fs::path executableFolder();

class WorkingFolder {
   public:
    // `root` is the folder that holds smxcwjj.
    explicit WorkingFolder(fs::path root, PackageExtensions ext = {});

    const fs::path& root() const { return m_root; }
    fs::path base() const;  // root/smxcwjj
    const PackageExtensions& extensions() const { return m_ext; }

    // Template store.
    fs::path movieStore() const;      // wj_0_or_2/wjj_01
    fs::path parameterStore() const;  // wj_0_or_2/wjj_02
    fs::path endingPackage() const;   // wj_0_or_1/wj_1.rar

    // Unpacking of parameter packages (catalogue build). i is 1-based.
    fs::path parameterUnpackFolder() const;  // wj_0_or_2/wjj_00_j_y
    fs::path parameterIntermediate(int i, int n) const;
    fs::path parameterPayload(int i) const;

    // Unpacking of movie packages (staging). c is the unpack counter.
    fs::path movieUnpackFolder() const;  // wj_0_or_1/wj_1_jy
    fs::path movieIntermediate(int c, int n) const;
    fs::path endingIntermediate(int n) const;

    // Template instances.
    fs::path instancesFolder() const;  // tp_wjj/tp_wjj
    fs::path instanceFolder(int n) const;
    fs::path instanceMovie(int n) const;              // w_j_<n> + ext1
    fs::path instancePicture(int n, int slot) const;  // picture_<slot> + ext2
    fs::path endingFolder() const;                    // tp_wjj/tp_wjj/tp_wjj_zuihou
    fs::path endingMovie() const;                     // w_j_zuihou + ext1
    // Renumbering of template folders: folder n is first renamed n_tp_wjj_n.
    fs::path renumberingFolder(int n) const;
    fs::path renumberingMovie(int n,
                              int movieNumber) const;  // in folder n: w_j_<movieNumber> + ext1
    fs::path transitionFolder() const;                 // tp_wjj/pic
    fs::path transitionPicture() const;                // picture_0 + ext2

    // Thumbnails of photos (kind 1), songs (2) and lyric files (3); n is 1-based.
    fs::path thumbnailFolder(int kind) const;
    fs::path thumbnail(int kind, int n) const;
    // Reordering of thumbnails: thumbnail n is first renamed <n>_tp_slt_<kind>_<n>.
    fs::path renumberingThumbnail(int kind, int n) const;

    // Frame files of the album build.
    fs::path loadFolder() const;       // tp_load
    fs::path composedFrame() const;    // tp_load_1.bmp
    fs::path lastFrameBitmap() const;  // tp_load_1_2_1.bmp
    fs::path lastFrameJpeg() const;    // tp_load_1_2_1.jpg

    // Held (flock) by the session that uses the folder, so two runs never
    // share it; holds the holder's process id and what it is.
    fs::path sessionLockFile() const;  // orvane.lock

    // Files kept by a FolderSnapshot while an operation runs.
    fs::path keptFilesFolder() const;  // orvane_keep

    // The output an album build is writing, a video file or the folder of a
    // picture sequence (one line, its final path): a run killed outright
    // leaves its temporary ".NAME.NNNNNN.part" file or folder beside the
    // output, and the next start removes it.
    fs::path outputJournal() const;  // orvane_output.txt
    void noteOutputInProgress(const fs::path& finalPath) const;
    void forgetOutputInProgress() const;

    // Work area of the single-template preview.
    fs::path previewFolder() const;  // wj_yl_xg_1
    // The copies a preview plays, under wj_yl_xg_1/wj_yl_xg_1/wj_yl_xg_1.
    fs::path previewRoot() const;
    fs::path previewInstanceFolder(int n) const;             // tp_wjj/wj_yl_xg<n>
    fs::path previewInstanceMovie(int n) const;              // wj_yl_xg_<n> + ext1
    fs::path previewInstancePicture(int n, int slot) const;  // picture_<slot> + ext2
    fs::path previewEndingFolder() const;                    // tp_wjj/wj_yl_xg_zuihou
    fs::path previewEndingMovie() const;                     // wj_yl_xg_zuihou + ext1
    fs::path previewTransitionFolder() const;                // pic
    fs::path previewTransitionPicture() const;               // picture_0 + ext2

    // Leftover files, deleted at start and at exit, in that order.
    std::vector<fs::path> leftoverFiles() const;

    // True when `path` lies inside smxcwjj (the folder itself excluded).
    bool contains(const fs::path& path) const;

    // Deletes a folder with everything in it. Symbolic links are removed, never
    // followed; a path outside smxcwjj is left alone. Failures are ignored.
    void removeTree(const fs::path& folder) const;
    // Creates a folder with its missing parents, retrying a few times; throws
    // OrvaneError if it still does not exist.
    void createFolder(const fs::path& folder) const;
    void recreateFolder(const fs::path& folder) const;

    // The cleaning done when the main window is first shown, and at exit.
    void cleanAtStart() const;
    void cleanAtExit() const;

   private:
    fs::path m_root;
    PackageExtensions m_ext;
};

}  // namespace orvane
