#include "av/song_length.h"

#include <gtest/gtest.h>

#include "base/working_folder.h"
#include "support/media_fixtures.h"
#include "support/test_support.h"

namespace orvane::av {
namespace {

using testing::makeMp3;
using testing::Mp3Options;
using testing::TempDir;

struct LengthCase {
    const char* name;
    Mp3Options options;
    LengthSource source;
    std::int64_t tolerance;  // samples
};

TEST(SongLength, MatchesTheTrueSampleCount) {
    TempDir dir;
    const LengthCase cases[] = {
        // The Xing/Info header with the encoder delay and padding is exact.
        {"cbr", {2.0, 44100, false, true, 1}, LengthSource::XingHeader, 0},
        {"vbr", {3.5, 44100, true, true, 2}, LengthSource::XingHeader, 0},
        {"cbr22k", {1.0, 22050, false, true, 1}, LengthSource::XingHeader, 0},
        // Counting frames knows nothing of the padding: at most delay and
        // padding (under two frames) more than the true length.
        {"noxing", {2.0, 44100, false, false, 1}, LengthSource::FrameCount, 2 * 1152},
        {"noxingvbr", {2.0, 44100, true, false, 1}, LengthSource::FrameCount, 2 * 1152},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir.path() / (std::string(c.name) + ".mp3");
        makeMp3(file, c.options);
        auto length = measureSongLength(toQString(file));
        ASSERT_TRUE(length.has_value()) << length.error().message.toStdString();
        const auto truth = static_cast<std::int64_t>(c.options.seconds * c.options.sampleRate);
        EXPECT_EQ(length->source, c.source);
        EXPECT_EQ(length->sampleRate, c.options.sampleRate);
        EXPECT_GE(length->samples, truth);
        EXPECT_LE(length->samples, truth + c.tolerance);
        EXPECT_EQ(length->milliseconds(), length->samples * 1000 / c.options.sampleRate);
    }
}

TEST(SongLength, TruncatedFileIsCountedNotTakenFromItsHeader) {
    TempDir dir;
    const fs::path file = dir.path() / "cut.mp3";
    makeMp3(file, {4.0, 44100, true, true, 1});
    testing::truncateFile(file, fs::file_size(file) / 2);
    auto length = measureSongLength(toQString(file));
    ASSERT_TRUE(length.has_value());
    EXPECT_EQ(length->source, LengthSource::FrameCount);
    EXPECT_GT(length->milliseconds(), 1000);
    EXPECT_LT(length->milliseconds(), 3000);
}

TEST(SongLength, HeaderClaimingMoreFramesThanTheFileHoldsIsCounted) {
    struct Case {
        const char* name;
        std::uint32_t frames;
    };
    const Case cases[] = {
        {"all bits set", 0xFFFFFFFFu},
        {"ten hours", 10u * 3600u * 44100u / 1152u},
        {"highest signed", 0x7FFFFFFFu},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir.path() / "claims.mp3";
        makeMp3(file, {2.0, 44100, false, true, 1});
        std::string bytes = testing::readFile(file);
        std::size_t tag = bytes.find("Xing");
        if (tag == std::string::npos) tag = bytes.find("Info");
        ASSERT_NE(tag, std::string::npos);
        for (int i = 0; i < 4; ++i) bytes[tag + 8 + i] = char(c.frames >> (24 - 8 * i));
        testing::writeFile(file, bytes);
        auto length = measureSongLength(toQString(file));
        ASSERT_TRUE(length.has_value());
        EXPECT_EQ(length->source, LengthSource::FrameCount);
        EXPECT_NEAR(length->milliseconds(), 2000, 100);
    }
}

// An ID3v2 tag of `size` bytes (synch-safe length), padding only.
std::string id3Tag(std::uint32_t size, std::size_t written) {
    std::string tag = "ID3";
    tag += std::string("\x03\x00\x00", 3);
    for (int shift = 21; shift >= 0; shift -= 7) tag += char((size >> shift) & 0x7F);
    return tag + std::string(written, '\0');
}

TEST(SongLength, HugeId3TagsAreSkippedOrNamed) {
    TempDir dir;
    const fs::path plain = dir.path() / "plain.mp3";
    makeMp3(plain, {2.0, 44100, false, true, 1});
    const std::string audio = testing::readFile(plain);

    // A true tag of 6 MB (a large cover picture) before the audio.
    const fs::path big = dir.path() / "big tag.mp3";
    testing::writeFile(big, id3Tag(6u << 20, 6u << 20) + audio);
    auto length = measureSongLength(toQString(big));
    ASSERT_TRUE(length.has_value()) << length.error().message.toStdString();
    EXPECT_NEAR(length->milliseconds(), 2000, 60);

    // A tag claiming 256 MB in a file of a few kilobytes: no length is made
    // up; either the audio after it is found or the file is named.
    const fs::path lying = dir.path() / "lying tag.mp3";
    testing::writeFile(lying, id3Tag(0x0FFFFFFF, 0) + audio);
    auto claimed = measureSongLength(toQString(lying));
    if (claimed)
        EXPECT_NEAR(claimed->milliseconds(), 2000, 60);
    else
        EXPECT_TRUE(claimed.error().message.contains(toQString(lying)));
}

TEST(SongLength, DamagedFrameKeepsTheLength) {
    TempDir dir;
    for (const bool header : {true, false}) {
        SCOPED_TRACE(header ? "xing" : "counted");
        const fs::path intact = dir.path() / (header ? "xing.mp3" : "counted.mp3");
        const fs::path damaged = dir.path() / (header ? "xing-damaged.mp3" : "counted-damaged.mp3");
        makeMp3(intact, {2.0, 44100, false, header, 2});
        fs::copy_file(intact, damaged);
        testing::damageMiddleFrame(damaged);
        auto expected = measureSongLength(toQString(intact));
        auto length = measureSongLength(toQString(damaged));
        ASSERT_TRUE(expected && length);
        EXPECT_EQ(length->samples, expected->samples);
        EXPECT_EQ(length->source, expected->source);
    }
}

TEST(SongLength, UnreadableFilesFailWithTheirName) {
    TempDir dir;
    const fs::path empty = dir.path() / "空的.mp3";
    testing::writeFile(empty, "");
    const fs::path text = dir.path() / "notes.mp3";
    testing::writeFile(text, std::string(5000, 'x') + "this is not sound\n");
    const fs::path header = dir.path() / "header.mp3";
    makeMp3(header, {1.0, 44100, false, true, 1});
    testing::truncateFile(header, 200);  // ID3 tag and part of the Info frame
    const fs::path missing = dir.path() / "missing.mp3";
    for (const fs::path& file : {empty, text, header, missing}) {
        SCOPED_TRACE(file.string());
        auto length = measureSongLength(toQString(file));
        ASSERT_FALSE(length.has_value());
        EXPECT_TRUE(length.error().message.contains(toQString(file)));
    }
}

}  // namespace
}  // namespace orvane::av
