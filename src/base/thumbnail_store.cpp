#include "base/thumbnail_store.h"

#include <sys/stat.h>

namespace orvane {

QImage loadThumbnail(const WorkingFolder& folder, ThumbnailKind kind, int n) {
    const fs::path file = folder.thumbnail(static_cast<int>(kind), n);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return {};
    return QImage(toQString(file));
}

ThumbnailStore::ThumbnailStore(WorkingFolder folder) : m_folder(std::move(folder)) {}

bool ThumbnailStore::stampOf(const fs::path& file, FileStamp& stamp) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const auto ns = [](const timespec& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
    };
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.modified = ns(st.st_mtim);
    stamp.changed = ns(st.st_ctim);
    return true;
}

QImage ThumbnailStore::image(ThumbnailKind kind, int row) {
    const std::pair key(static_cast<int>(kind), row);
    FileStamp stamp;
    if (row < 0 || !stampOf(m_folder.thumbnail(key.first, row + 1), stamp)) {
        m_entries.erase(key);
        return {};
    }
    if (auto it = m_entries.find(key); it != m_entries.end() && it->second.stamp == stamp)
        return it->second.image;
    QImage image = loadThumbnail(m_folder, kind, row + 1);
    m_entries[key] = Entry{stamp, image};
    return image;
}

void ThumbnailStore::invalidate(ThumbnailKind kind) {
    std::erase_if(m_entries,
                  [&](const auto& entry) { return entry.first.first == static_cast<int>(kind); });
}

void ThumbnailStore::clear() { m_entries.clear(); }

}  // namespace orvane
