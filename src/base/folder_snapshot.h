#pragma once
// FolderSnapshot: the state of some folders of smxcwjj, kept so that an
// operation that stops or fails can put its file changes back exactly.
// The project model is put back by the session (the operation works on a
// copy); the working folder is shared, so every long operation takes a
// snapshot of the folders it changes, keeps the changes when it succeeds and
// restores the snapshot otherwise.
//
// A whole folder is kept as hard links in smxcwjj/orvane_keep (no data is
// copied). A file under it must therefore be replaced, never written in
// place: writeWholeFile and writeFreshFile remove the old file first, and
// renames and removals are safe; a file opened for writing and truncated
// would change its kept twin too. A folder the operation only adds entries
// to (the unpack counter makes every intermediate name new) can be kept by
// its list of names alone.
//
// Used on the thread that runs the operation; the files must not be written
// by anyone else meanwhile.

#include <filesystem>
#include <set>
#include <vector>

#include "base/working_folder.h"

namespace orvane {

enum class KeepMode {
    Whole,         // contents and names: restore() puts back every file as it was
    AddedEntries,  // names only: restore() removes what was added to the folder
};

struct KeptFolder {
    fs::path folder;
    KeepMode mode = KeepMode::Whole;
};

class FolderSnapshot {
   public:
    // Keeps the given folders (inside smxcwjj; a folder that does not exist
    // yet is removed again by restore(), with the parents the operation
    // created for it). Throws OrvaneError when the copy cannot be made.
    FolderSnapshot(const WorkingFolder& folder, const std::vector<KeptFolder>& folders);
    // Restores, unless keep() or restore() was called.
    ~FolderSnapshot();
    FolderSnapshot(const FolderSnapshot&) = delete;
    FolderSnapshot& operator=(const FolderSnapshot&) = delete;

    // The operation succeeded: its changes stay and the kept copy goes.
    void keep();
    // Puts the folders back as they were when the snapshot was taken.
    void restore();

   private:
    struct Kept {
        fs::path path;
        bool existed = false;
        KeepMode mode = KeepMode::Whole;
        fs::path copy;               // Whole: the linked copy
        std::set<fs::path> entries;  // AddedEntries: the names found
    };
    void dropCopy();

    WorkingFolder m_folder;
    fs::path m_copies;
    std::vector<Kept> m_kept;
    bool m_finished = false;
};

}  // namespace orvane
