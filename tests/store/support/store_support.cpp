#include "store_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvane::testing {

fs::path storeRoot() { return fs::path(ORVANE_STORE_ROOT); }

ShippedTemplate endingMovie() {
    return {"ending", storeRoot() / "smxcwjj" / "wj_0_or_1" / "wj_1.rar", {}};
}

std::vector<ShippedTemplate> shippedTemplates() {
    const fs::path movies = storeRoot() / "smxcwjj" / "wj_0_or_2" / "wjj_01";
    const fs::path params = storeRoot() / "smxcwjj" / "wj_0_or_2" / "wjj_02";
    std::vector<ShippedTemplate> out;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(movies, ec)) {
        if (entry.path().extension() != ".rar") continue;
        const std::string file = entry.path().filename().string();
        out.push_back({entry.path().stem().string(), entry.path(), params / file});
    }
    std::sort(out.begin(), out.end(),
              [](const ShippedTemplate& a, const ShippedTemplate& b) { return a.name < b.name; });
    return out;
}

Bytes unpackToMemory(const fs::path& package, const fs::path& scratch) {
    fs::create_directories(scratch);
    const fs::path payload = scratch / "payload";
    const auto unpacked = unpackPackage(
        package, [&](int n) { return scratch / ("layer-" + std::to_string(n) + ".rar"); }, payload);
    EXPECT_TRUE(unpacked.has_value())
        << package << ": " << (unpacked ? std::string() : unpacked.error().message.toStdString());
    if (!unpacked) return {};
    auto bytes = readWholeFile(payload);
    return bytes ? *bytes : Bytes{};
}

}  // namespace orvane::testing
