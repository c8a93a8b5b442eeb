#pragma once
// Helpers shared by the tests: a temporary working root, small file helpers,
// and printing of QString in assertion messages.

#include <sys/types.h>

#include <QString>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace orvane::testing {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
   public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return m_path; }

   private:
    fs::path m_path;
};

void writeFile(const fs::path& path, const std::string& content);
std::string readFile(const fs::path& path);

// Every file and folder under `root` by its relative path: "folder", or a
// file's size and a hash of its content. Two listings are equal exactly when
// nothing under `root` was added, removed or changed.
std::map<std::string, std::string> folderListing(const fs::path& root);

// Forks a child that calls `take` (taking a lock, say) and then waits to be
// killed; returns the child's pid once `take` returned true, or -1.
pid_t childThatHolds(const std::function<bool()>& take);

}  // namespace orvane::testing
