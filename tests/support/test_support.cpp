#include "support/test_support.h"

#include <unistd.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace orvane::testing {

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        fs::path candidate = fs::temp_directory_path() /
                             ("orvane-test-" + std::to_string(rd()) + std::to_string(rd()));
        if (fs::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void writeFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::map<std::string, std::string> folderListing(const fs::path& root) {
    std::map<std::string, std::string> out;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        const std::string path = it->path().lexically_relative(root).generic_string();
        if (!it->is_regular_file()) {
            out[path] = "folder";
            continue;
        }
        const std::string content = readFile(it->path());
        out[path] = std::to_string(content.size()) + " bytes, hash " +
                    std::to_string(std::hash<std::string>{}(content));
    }
    return out;
}

pid_t childThatHolds(const std::function<bool()>& take) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        const char held = take() ? 'y' : 'n';
        (void)!write(ready[1], &held, 1);
        for (;;) pause();
    }
    char held = 0;
    (void)!read(ready[0], &held, 1);
    close(ready[0]);
    close(ready[1]);
    return held == 'y' ? pid : -1;
}

}  // namespace orvane::testing
