#include "base/folder_snapshot.h"

#include <algorithm>
#include <atomic>

#include "base/error.h"

namespace orvane {
namespace {

std::atomic<int> g_snapshotNumber{0};

bool isWithin(const fs::path& path, const fs::path& folder) {
    auto f = folder.begin();
    auto p = path.begin();
    for (; f != folder.end(); ++f, ++p)
        if (p == path.end() || *p != *f) return false;
    return true;
}

void linkTree(const fs::path& from, const fs::path& to);

// Keeps one entry at `target`: a folder as a linked tree, a file as a hard
// link (a copy where the file system refuses links), a symbolic link as a
// link. Other kinds of files are left out.
void linkEntry(const fs::path& source, const fs::path& target) {
    std::error_code statusError;
    const fs::file_status status = fs::symlink_status(source, statusError);
    if (statusError) return;
    std::error_code failed;
    if (fs::is_directory(status)) {
        linkTree(source, target);
    } else if (fs::is_symlink(status)) {
        fs::copy_symlink(source, target, failed);
    } else if (fs::is_regular_file(status)) {
        fs::create_hard_link(source, target, failed);
        if (failed) {
            failed.clear();
            fs::copy_file(source, target, failed);
        }
    }
    if (failed)
        throw OrvaneError(QStringLiteral("cannot keep %1: %2")
                              .arg(toQString(source), QString::fromStdString(failed.message())));
}

// Links every entry of the folder `from` into the new folder `to`.
void linkTree(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directory(to, ec);
    if (ec)
        throw OrvaneError(QStringLiteral("cannot keep %1: %2")
                              .arg(toQString(from), QString::fromStdString(ec.message())));
    for (fs::directory_iterator it(from, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        linkEntry(it->path(), to / it->path().filename());
    }
    if (ec)
        throw OrvaneError(QStringLiteral("cannot read %1: %2")
                              .arg(toQString(from), QString::fromStdString(ec.message())));
}

}  // namespace

FolderSnapshot::FolderSnapshot(const WorkingFolder& folder, const std::vector<KeptFolder>& folders)
    : m_folder(folder), m_copies(folder.keptFilesFolder() / std::to_string(++g_snapshotNumber)) {
    const fs::path base = fs::absolute(m_folder.base()).lexically_normal();
    std::vector<KeptFolder> wanted;
    for (const KeptFolder& kept : folders) {
        fs::path path = fs::absolute(kept.folder).lexically_normal();
        if (!path.has_filename()) path = path.parent_path();
        if (path == base || !isWithin(path, base))
            throw OrvaneError(
                QStringLiteral("%1 is not a folder of smxcwjj").arg(toQString(kept.folder)));
        // A folder not there yet: its highest missing parent goes at restore.
        std::error_code ec;
        while (!fs::exists(fs::symlink_status(path, ec)) && path.parent_path() != base &&
               !fs::exists(fs::symlink_status(path.parent_path(), ec)))
            path = path.parent_path();
        wanted.push_back({path, kept.mode});
    }
    // Outer folders first; a folder inside one already kept is covered by it.
    std::sort(wanted.begin(), wanted.end(), [](const KeptFolder& a, const KeptFolder& b) {
        return std::distance(a.folder.begin(), a.folder.end()) <
               std::distance(b.folder.begin(), b.folder.end());
    });
    try {
        for (const KeptFolder& w : wanted) {
            const bool covered = std::any_of(m_kept.begin(), m_kept.end(), [&](const Kept& k) {
                return k.mode == KeepMode::Whole && isWithin(w.folder, k.path);
            });
            if (covered) continue;
            Kept kept;
            kept.path = w.folder;
            kept.mode = w.mode;
            std::error_code ec;
            kept.existed = fs::exists(fs::symlink_status(w.folder, ec));
            if (kept.existed && w.mode == KeepMode::Whole) {
                m_folder.createFolder(m_copies);
                kept.copy = m_copies / std::to_string(m_kept.size());
                linkEntry(w.folder, kept.copy);
            } else if (kept.existed) {
                for (fs::directory_iterator it(w.folder, ec); !ec && it != fs::directory_iterator();
                     it.increment(ec))
                    kept.entries.insert(it->path().filename());
            }
            m_kept.push_back(std::move(kept));
        }
    } catch (...) {
        dropCopy();
        throw;
    }
}

FolderSnapshot::~FolderSnapshot() {
    if (!m_finished) restore();
}

void FolderSnapshot::keep() {
    m_finished = true;
    dropCopy();
}

void FolderSnapshot::restore() {
    if (m_finished) return;
    m_finished = true;
    for (auto kept = m_kept.rbegin(); kept != m_kept.rend(); ++kept) {
        std::error_code ec;
        if (!kept->existed) {
            m_folder.removeTree(kept->path);
        } else if (kept->mode == KeepMode::Whole) {
            m_folder.removeTree(kept->path);
            fs::create_directories(kept->path.parent_path(), ec);
            fs::rename(kept->copy, kept->path, ec);
        } else {
            fs::create_directories(kept->path, ec);
            std::vector<fs::path> added;
            for (fs::directory_iterator it(kept->path, ec); !ec && it != fs::directory_iterator();
                 it.increment(ec))
                if (!kept->entries.contains(it->path().filename())) added.push_back(it->path());
            for (const fs::path& entry : added) m_folder.removeTree(entry);
        }
    }
    dropCopy();
}

void FolderSnapshot::dropCopy() {
    m_folder.removeTree(m_copies);
    std::error_code ignored;
    fs::remove(m_folder.keptFilesFolder(), ignored);  // only while empty
}

}  // namespace orvane
