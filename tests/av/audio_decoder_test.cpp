#include "av/audio_decoder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "av/song_length.h"
#include "base/working_folder.h"
#include "support/media_fixtures.h"
#include "support/test_support.h"

namespace orvane::av {
namespace {

using testing::makeMp3;
using testing::TempDir;

struct Decoded {
    std::vector<std::int16_t> samples;  // interleaved stereo
    int damaged = 0;
    std::int64_t frames() const { return std::int64_t(samples.size()) / 2; }
};

Decoded decodeStereo(const fs::path& file, int rate = 44100, std::int64_t fromMs = 0) {
    Decoded out;
    AudioDecoder decoder;
    auto opened = decoder.open(toQString(file), {rate, AV_SAMPLE_FMT_S16, 2}, fromMs);
    EXPECT_TRUE(opened.has_value()) << opened.error().message.toStdString();
    if (!opened) return out;
    std::vector<char> buffer(10002);  // not a whole number of blocks
    for (;;) {
        auto n = decoder.readBytes(buffer.data(), std::int64_t(buffer.size()));
        EXPECT_TRUE(n.has_value()) << n.error().message.toStdString();
        if (!n || *n == 0) break;
        EXPECT_EQ(*n % 4, 0);
        const auto* s = reinterpret_cast<const std::int16_t*>(buffer.data());
        out.samples.insert(out.samples.end(), s, s + *n / 2);
    }
    EXPECT_TRUE(decoder.atEnd());
    out.damaged = decoder.damagedPackets();
    return out;
}

std::int64_t peak(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    std::int64_t p = 0;
    for (std::size_t i = from; i < to && i < s.size(); ++i)
        p = std::max<std::int64_t>(p, std::abs(s[i]));
    return p;
}

TEST(AudioDecoder, DecodesEverySampleResampledToTheOutput) {
    TempDir dir;
    const fs::path file = dir.path() / "song.mp3";
    makeMp3(file, {1.0, 22050, false, true, 1});
    const Decoded d = decodeStereo(file);
    // 22 050 Hz doubled: the measured length at the output rate.
    auto length = measureSongLength(toQString(file));
    ASSERT_TRUE(length.has_value());
    EXPECT_NEAR(double(d.frames()), double(length->samplesAt(44100)), 2);
    EXPECT_GT(peak(d.samples, 0, d.samples.size()), 2000);  // the sine, not silence
    EXPECT_EQ(d.damaged, 0);
}

// A damaged packet is replaced by silence of its own length: the song goes
// on to its end, keeps the length measured for it, and after the damage it
// sounds as the intact file does.
TEST(AudioDecoder, DamagedPacketIsSkippedAndTheSongGoesOn) {
    TempDir dir;
    const fs::path intact = dir.path() / "intact.mp3";
    const fs::path damaged = dir.path() / "damaged.mp3";
    makeMp3(intact, {3.0, 44100, false, true, 2});
    fs::copy_file(intact, damaged);
    testing::damageMiddleFrame(damaged);

    const Decoded good = decodeStereo(intact);
    const Decoded bad = decodeStereo(damaged);
    EXPECT_EQ(good.damaged, 0);
    EXPECT_GE(bad.damaged, 1);
    auto length = measureSongLength(toQString(damaged));
    ASSERT_TRUE(length.has_value());
    EXPECT_EQ(good.frames(), length->samples);
    EXPECT_EQ(bad.frames(), length->samples);
    // The last second, well after the damage, is the same as the intact one.
    const std::size_t lastSecond = bad.samples.size() - 2 * 44100;
    ASSERT_EQ(bad.samples.size(), good.samples.size());
    EXPECT_TRUE(std::equal(bad.samples.begin() + long(lastSecond), bad.samples.end(),
                           good.samples.begin() + long(lastSecond)));
    EXPECT_GT(peak(bad.samples, lastSecond, bad.samples.size()), 2000);
}

// Channel layouts: mono is spread on both sides; a six-channel file that
// names no layout is taken as 5.1, exactly as the same samples declared 5.1.
TEST(AudioDecoder, EveryLayoutBecomesStereo) {
    TempDir dir;
    const int frames = 22050;
    const auto tone = [](int i, int c) {
        return std::int16_t(4000 * std::sin(2 * M_PI * (300 + 100 * c) * i / 44100.0));
    };
    const fs::path mono = dir.path() / "mono.wav";
    const fs::path surround = dir.path() / "surround.wav";
    const fs::path bare = dir.path() / "bare.wav";
    testing::writeWav(mono, 1, 44100, 0, frames, tone);
    testing::writeWav(surround, 6, 44100, 0x3F, frames, tone);
    testing::writeWav(bare, 6, 44100, 0, frames, tone);

    const Decoded m = decodeStereo(mono);
    ASSERT_EQ(m.frames(), frames);
    for (std::size_t i = 0; i < m.samples.size(); i += 2) ASSERT_EQ(m.samples[i], m.samples[i + 1]);
    EXPECT_GT(peak(m.samples, 0, m.samples.size()), 2000);

    const Decoded s = decodeStereo(surround);
    const Decoded b = decodeStereo(bare);
    ASSERT_EQ(s.frames(), frames);
    EXPECT_EQ(b.samples, s.samples);
    // Left and right differ (front left and front right are different tones).
    bool sidesDiffer = false;
    for (std::size_t i = 0; i < s.samples.size(); i += 2)
        sidesDiffer = sidesDiffer || s.samples[i] != s.samples[i + 1];
    EXPECT_TRUE(sidesDiffer);
}

// A song whose channel count changes on the way (a stereo part followed by a
// mono one, as joined MP3 files are) is resampled from what each part holds.
TEST(AudioDecoder, ChannelCountChangingMidSongIsFollowed) {
    TempDir dir;
    const fs::path stereo = dir.path() / "stereo.mp3";
    const fs::path mono = dir.path() / "mono.mp3";
    const fs::path joined = dir.path() / "joined.mp3";
    // Without ID3 tags, so that the joined file is MPEG audio frames only.
    const auto encode = [](const std::string& source, const fs::path& file) {
        return std::system(("ffmpeg -nostdin -v error -y -f lavfi -i '" + source +
                            "' -c:a libmp3lame -b:a 64k -write_xing 0 -id3v2_version 0 '" +
                            file.string() + "'")
                               .c_str());
    };
    ASSERT_EQ(encode("aevalsrc=sin(440*2*PI*t)|sin(550*2*PI*t):s=44100:d=1", stereo), 0);
    ASSERT_EQ(encode("sine=frequency=660:sample_rate=44100:duration=1", mono), 0);
    testing::writeFile(joined, testing::readFile(stereo) + testing::readFile(mono));

    const Decoded d = decodeStereo(joined);
    auto length = measureSongLength(toQString(joined));
    ASSERT_TRUE(length.has_value());
    EXPECT_EQ(d.frames(), length->samples);
    EXPECT_EQ(d.damaged, 0);
    const auto sidesDiffer = [&](std::size_t from, std::size_t to) {
        int differ = 0;
        for (std::size_t i = from; i < to; i += 2) differ += d.samples[i] != d.samples[i + 1];
        return differ;
    };
    const std::size_t half = 2 * 22050;
    EXPECT_GT(sidesDiffer(0, half), 10000);  // the two tones of the stereo part
    EXPECT_EQ(sidesDiffer(d.samples.size() - half, d.samples.size()), 0);
    EXPECT_GT(peak(d.samples, d.samples.size() - half, d.samples.size()), 2000);
}

TEST(AudioDecoder, StartsAtTheGivenPosition) {
    TempDir dir;
    const fs::path wav = dir.path() / "ramp.wav";
    testing::writeWav(wav, 2, 44100, 0, 2 * 44100,
                      [](int i, int) { return std::int16_t((i % 20000) - 10000); });
    const Decoded all = decodeStereo(wav);
    const Decoded late = decodeStereo(wav, 44100, 1500);
    ASSERT_EQ(all.frames(), 2 * 44100);
    ASSERT_EQ(late.frames(), 44100 / 2);
    EXPECT_TRUE(std::equal(late.samples.begin(), late.samples.end(),
                           all.samples.begin() + 2 * (44100 * 3 / 2)));

    // An MP3 file seeks to a frame before the position; what lies before it
    // is dropped, so the part ends as the whole song does.
    const fs::path mp3 = dir.path() / "song.mp3";
    makeMp3(mp3, {2.0, 44100, false, true, 2});
    const Decoded whole = decodeStereo(mp3);
    const Decoded part = decodeStereo(mp3, 44100, 1500);
    ASSERT_EQ(whole.frames(), 2 * 44100);
    ASSERT_EQ(part.frames(), 44100 / 2);
    EXPECT_TRUE(std::equal(part.samples.end() - 2 * 11025, part.samples.end(),
                           whole.samples.end() - 2 * 11025));
}

TEST(AudioDecoder, FilesThatCannotBeOpenedFailWithTheirName) {
    TempDir dir;
    const fs::path missing = dir.path() / "没有.mp3";
    const fs::path text = dir.path() / "notes.mp3";
    testing::writeFile(text, std::string(4000, '\x55'));
    for (const fs::path& file : {missing, text}) {
        SCOPED_TRACE(file.string());
        AudioDecoder decoder;
        auto opened = decoder.open(toQString(file), {});
        ASSERT_FALSE(opened.has_value());
        EXPECT_TRUE(opened.error().message.contains(toQString(file)));
    }
}

}  // namespace
}  // namespace orvane::av
