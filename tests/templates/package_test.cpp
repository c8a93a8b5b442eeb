#include "templates/package.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/working_folder.h"
#include "package_writer.h"
#include "support/test_support.h"

using namespace orvane;
using orvane::testing::TempDir;
namespace pk = orvane::packing;

namespace {

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

void writeBytes(const fs::path& path, const Bytes& b) {
    orvane::testing::writeFile(path, std::string(b.begin(), b.end()));
}

struct Unpack {
    TempDir tmp;
    fs::path source = tmp.path() / "t.rar";
    fs::path payload = tmp.path() / "out" / "payload.ini";

    Unpack() { fs::create_directories(payload.parent_path()); }
    fs::path intermediate(int n) const {
        return tmp.path() / "out" / ("wjj_00_j_y1-" + std::to_string(n) + ".rar");
    }
    Result<void> run() {
        return unpackPackage(
            source, [this](int n) { return intermediate(n); }, payload);
    }
};

}  // namespace

TEST(Package, UnpacksTwentyThreeLayers) {
    Unpack u;
    const std::string payload = "[l_x_w_j_s_y]\nl_x_w_j_s_y=s_y_l_x\n" + std::string(5000, 'x');
    writeBytes(u.source, pk::makePackage(bytesOf(payload)));
    ASSERT_TRUE(u.run()) << u.run().error().message.toStdString();
    EXPECT_EQ(orvane::testing::readFile(u.payload), payload);
    for (int n = 1; n <= 22; ++n) EXPECT_TRUE(fs::exists(u.intermediate(n))) << n;
    EXPECT_FALSE(fs::exists(u.intermediate(23)));
    // Intermediate 22 is the last layer: unpacking it once more gives the payload.
    Bytes last = *readWholeFile(u.intermediate(22));
    ASSERT_TRUE(inflateLayer(last));
    EXPECT_EQ(std::string(last.begin(), last.end()), payload);
}

TEST(Package, EmptyPackageGivesEmptyPayloadAndEmptyIntermediates) {
    Unpack u;
    writeBytes(u.source, {});
    ASSERT_TRUE(u.run());
    EXPECT_EQ(fs::file_size(u.payload), 0u);
    for (int n = 1; n <= 22; ++n) EXPECT_EQ(fs::file_size(u.intermediate(n)), 0u) << n;
}

TEST(Package, OnlyExactExtensionsArePackages) {
    const std::pair<const char*, bool> cases[] = {
        {"a.rar", true},  {"a.RAR", true}, {"a.Rar", false},   {"a.rAR", false},
        {"a.zip", false}, {"rar", false},  {"模板.rar", true},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(isPackageFileName(name), expected) << name;
}

TEST(Package, DamagedPackagesFailWithoutPayload) {
    const Bytes payload = bytesOf(std::string(3000, 'p'));
    struct Case {
        const char* name;
        Bytes package;
        const char* expectedWords;
    };
    Bytes corrupt = pk::makePackage(payload);
    corrupt[corrupt.size() / 2] ^= 0xFF;
    corrupt[corrupt.size() / 2 + 1] ^= 0xFF;
    // One bit of the outer stream's checksum: the content still inflates whole.
    Bytes flippedChecksum = pk::makePackage(payload);
    flippedChecksum.back() ^= 0x01;
    // A small file whose first layer claims a mebibyte of zeros.
    const Bytes blownUp = pk::wrapLayer(Bytes(1 << 20, 0), 9);
    // A last layer announcing more than a template holds, from enough
    // incompressible bytes that the inflate ratio would allow it.
    Bytes noise(150 * 1024);
    std::uint32_t seed = 7;
    for (auto& b : noise) b = static_cast<std::uint8_t>((seed = seed * 1103515245 + 12345) >> 24);
    const Bytes hugePayload =
        pk::makePackage(pk::wrapLayer(noise, 0, kMaxPayloadBytes + 1), kPackageLayers - 1);
    const Case cases[] = {
        {"22 layers", pk::makePackage(payload, 22), "layer 23"},
        {"24 layers", pk::makePackage(payload, 24), "more than 23 layers"},
        {"empty payload", pk::makePackage(pk::wrapLayer({}), kPackageLayers - 1), "0 bytes"},
        {"payload over the cap", hugePayload, "more than the"},
        {"checksum bit flipped", flippedChecksum, "incorrect data check"},
        {"inner layer blown up", blownUp, "cannot grow"},
        {"corrupt", corrupt, "damaged"},
        {"three bytes", Bytes{1, 2, 3}, "too short"},
        {"not zlib", bytesOf(std::string("\x10\0\0\0this is not zlib data at all", 32)), "corrupt"},
    };
    for (const Case& c : cases) {
        Unpack u;
        writeBytes(u.source, c.package);
        const auto result = u.run();
        ASSERT_FALSE(result) << c.name;
        EXPECT_TRUE(result.error().message.contains(QString::fromStdString(u.source.string())))
            << c.name;
        EXPECT_TRUE(result.error().message.contains(QString::fromLatin1(c.expectedWords)))
            << c.name << ": " << result.error().message.toStdString();
        EXPECT_FALSE(fs::exists(u.payload)) << c.name;
    }
}

TEST(Package, MissingSourceFails) {
    Unpack u;
    const auto result = u.run();
    ASSERT_FALSE(result);
    EXPECT_TRUE(result.error().message.contains(QStringLiteral("t.rar")));
    EXPECT_FALSE(fs::exists(u.payload));
}

TEST(InflateLayer, LengthHeaderIsHonouredExactly) {
    const Bytes content = bytesOf("0123456789");
    Bytes layer = pk::wrapLayer(content, 6, 4);  // announces only 4 bytes
    ASSERT_TRUE(inflateLayer(layer));
    EXPECT_EQ(std::string(layer.begin(), layer.end()), "0123");

    Bytes empty;
    ASSERT_TRUE(inflateLayer(empty));
    EXPECT_TRUE(empty.empty());
}

TEST(InflateLayer, RefusesLyingOrHostileHeaders) {
    const Bytes content = bytesOf(std::string(100, 'a'));
    struct Case {
        const char* name;
        std::int64_t announced;
        const char* words;
    } cases[] = {
        {"short inflate", 101, "inflates to 100 bytes"},
        {"negative", 0xFFFFFFF0LL, "negative"},
        {"bomb by ratio", 0x7FFFFFFF, "sane"},
    };
    for (const Case& c : cases) {
        Bytes layer = pk::wrapLayer(content, 6, c.announced);
        const Bytes before = layer;
        const auto result = inflateLayer(layer);
        ASSERT_FALSE(result) << c.name;
        EXPECT_TRUE(result.error().message.contains(QString::fromLatin1(c.words)))
            << c.name << ": " << result.error().message.toStdString();
        EXPECT_EQ(layer, before) << c.name;
    }
}

TEST(InflateLayer, ReadsTheStreamToItsEndForTheChecksum) {
    const Bytes content = bytesOf(std::string(200, 'c') + "0123456789");
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        const char* words;
    } cases[] = {
        {"checksum bit flipped", [](Bytes& b) { b.back() ^= 0x10; }, "incorrect data check"},
        {"checksum cut off", [](Bytes& b) { b.resize(b.size() - 4); }, "cut short"},
    };
    for (const Case& c : cases) {
        Bytes layer = pk::wrapLayer(content, 6, 8);  // keeps 8 bytes, checks them all
        c.damage(layer);
        const Bytes before = layer;
        const auto result = inflateLayer(layer);
        ASSERT_FALSE(result) << c.name;
        EXPECT_TRUE(result.error().message.contains(QString::fromLatin1(c.words)))
            << c.name << ": " << result.error().message.toStdString();
        EXPECT_EQ(layer, before) << c.name;
    }
}

TEST(InflateLayer, RefusesMoreThanAGibibyteEvenWithinTheRatio) {
    // 1 GiB + 1 announced from a stream big enough for the ratio rule.
    Bytes layer(2 * 1024 * 1024, 0);
    const std::uint32_t n = (1u << 30) + 1;
    layer[0] = static_cast<std::uint8_t>(n);
    layer[1] = static_cast<std::uint8_t>(n >> 8);
    layer[2] = static_cast<std::uint8_t>(n >> 16);
    layer[3] = static_cast<std::uint8_t>(n >> 24);
    const auto result = inflateLayer(layer);
    ASSERT_FALSE(result);
    EXPECT_TRUE(result.error().message.contains(QStringLiteral("sane")));
}
