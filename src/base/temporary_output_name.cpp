#include "base/temporary_output_name.h"

#include <vector>

namespace orvane {

namespace fs = std::filesystem;

QString temporaryOutputName(const QString& finalName, int number) {
    return QStringLiteral(".%1.%2.part").arg(finalName).arg(number, 6, 10, QLatin1Char('0'));
}

bool isTemporaryOutputOf(const std::string& entry, const std::string& finalName) {
    const std::string prefix = "." + finalName + ".";
    const std::string suffix = ".part";
    if (entry.size() != prefix.size() + 6 + suffix.size()) return false;
    if (entry.compare(0, prefix.size(), prefix) != 0) return false;
    if (entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
    for (std::size_t i = prefix.size(); i < prefix.size() + 6; ++i)
        if (entry[i] < '0' || entry[i] > '9') return false;
    return true;
}

void removeTemporaryOutput(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec) return;
    if (fs::is_regular_file(status)) {
        fs::remove(path, ec);
        return;
    }
    if (!fs::is_directory(status)) return;
    // The pictures, and the temporary file of the picture being written: a
    // folder holding anything else is not one this program wrote, and stays
    // whole.
    std::vector<fs::path> entries;
    fs::directory_iterator it(path, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::file_status entry = it->symlink_status(ec);
        if (ec || !(fs::is_regular_file(entry) || fs::is_symlink(entry))) return;
        entries.push_back(it->path());
    }
    if (ec) return;
    for (const fs::path& entry : entries) fs::remove(entry, ec);
    fs::remove(path, ec);
}

}  // namespace orvane
