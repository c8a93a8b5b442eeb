#include "support/test_support.h"

#include <fstream>
#include <random>
#include <sstream>

namespace orvane::testing {

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        fs::path candidate =
            fs::temp_directory_path() / ("orvane-test-" + std::to_string(rd()) + std::to_string(rd()));
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

}  // namespace orvane::testing
