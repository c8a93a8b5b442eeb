#pragma once
// Thumbnails of the three panes as pictures in memory. The files stay where
// the working folder puts them (thumbnail(kind, n), n the row's 1-based
// position); the store only reads them.
//
// ThumbnailStore keeps the pictures it has read, by kind and row. Every
// lookup compares the file with the one the picture came from (which file
// the name points to, its size and times), so a picture is read again as
// soon as an import, a removal or a reorder writes, deletes or renames its
// file, whatever code did it; invalidate() and clear() only free memory.
// One thread at a time (the GUI thread).

#include <QImage>
#include <cstdint>
#include <map>
#include <utility>

#include "base/working_folder.h"

namespace orvane {

enum class ThumbnailKind { Photo = 1, Song = 2, Lyric = 3 };

// Reads thumbnail n (1-based) of `kind`; a null image when the file is
// missing or is not a picture.
QImage loadThumbnail(const WorkingFolder& folder, ThumbnailKind kind, int n);

class ThumbnailStore {
   public:
    explicit ThumbnailStore(WorkingFolder folder);

    // The thumbnail of row `row` (0-based) of the pane of `kind`, or a null
    // image when its file is missing or unreadable.
    QImage image(ThumbnailKind kind, int row);

    // Forgets the pictures of one kind, or of all kinds.
    void invalidate(ThumbnailKind kind);
    void clear();

   private:
    // What identifies the content of a file without reading it.
    struct FileStamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modified = 0;  // nanoseconds
        std::int64_t changed = 0;   // nanoseconds
        bool operator==(const FileStamp&) const = default;
    };
    struct Entry {
        FileStamp stamp;
        QImage image;
    };
    static bool stampOf(const fs::path& file, FileStamp& stamp);

    WorkingFolder m_folder;
    std::map<std::pair<int, int>, Entry> m_entries;
};

}  // namespace orvane
