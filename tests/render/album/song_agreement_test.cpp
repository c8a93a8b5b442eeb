// One song, one length, one sound: the import, the album timeline and the
// encoder measure a song alike (also one with a damaged frame), and playback
// and the encoder decode it alike (mono, 5.1 and layout-less files too).

#include <gtest/gtest.h>

#include <cmath>

#include "audio/media_import.h"
#include "audio/sink_audio_output.h"
#include "av/song_length.h"
#include "base/album_time.h"
#include "render/album/song_frames.h"
#include "render/mcl/audio_track.h"
#include "render/mcl/mcl.h"
#include "support/media_fixtures.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using namespace orvane::testing;

// What the encoder's sound track hands out from its songs, interleaved.
template <typename Sample>
std::vector<Sample> encoderSamples(const QString& song, AVSampleFormat format,
                                   std::int64_t* songSamples) {
    AudioTrack track({song}, 44100, format);
    av::FramePtr frame(av_frame_alloc());
    frame->format = format;
    frame->sample_rate = 44100;
    frame->nb_samples = 1152;
    av_channel_layout_default(&frame->ch_layout, 2);
    EXPECT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
    std::vector<Sample> out;
    while (!track.songsFinished()) {
        auto read = track.read(frame.get());
        EXPECT_TRUE(read.has_value()) << read.error().message.toStdString();
        if (!read) break;
        const auto* s = reinterpret_cast<const Sample*>(frame->data[0]);
        out.insert(out.end(), s, s + (av_sample_fmt_is_planar(format) ? 1 : 2) * 1152);
    }
    *songSamples = track.songSamples();
    out.resize(static_cast<std::size_t>(*songSamples) * (av_sample_fmt_is_planar(format) ? 1 : 2));
    return out;
}

// What playback hands the sound card: 44 100 Hz, 16-bit stereo.
std::vector<std::int16_t> playbackSamples(const QString& song) {
    auto decoder = std::make_unique<av::AudioDecoder>();
    EXPECT_TRUE(decoder->open(song, {44100, AV_SAMPLE_FMT_S16, 2}).has_value());
    DecodingAudioDevice device(std::move(decoder));
    device.open(QIODevice::ReadOnly);
    std::vector<std::int16_t> out;
    std::vector<char> buffer(6000);
    while (const qint64 n = device.read(buffer.data(), qint64(buffer.size()))) {
        if (n < 0) break;
        const auto* s = reinterpret_cast<const std::int16_t*>(buffer.data());
        out.insert(out.end(), s, s + n / 2);
    }
    return out;
}

TEST(SongAgreement, DamagedSongLastsTheSameInImportTimelineAndEncoder) {
    TempDir dir;
    const fs::path file = dir.path() / "damaged.mp3";
    makeMp3(file, {3.5, 44100, false, true, 2});
    damageMiddleFrame(file);
    const QString song = toQString(file);
    auto length = av::measureSongLength(song);
    ASSERT_TRUE(length.has_value());
    EXPECT_EQ(length->samples, 3 * 44100 + 22050);

    // Import: the song table's duration and frames.
    ProjectModel model;
    const WorkingFolder folder(dir.path());
    MediaPanes panes;
    NullProgress progress;
    const MediaImportReport report = importSongs(model, folder, panes, {song}, progress).value();
    ASSERT_EQ(report.added, 1) << report.skipped.front().detail.toStdString();
    EXPECT_EQ(model.music.at(0).duration, QStringLiteral("00:00:03"));
    EXPECT_EQ(model.music.at(0).frameCount, 75);

    // Timeline: the frames the album build plans the song with.
    auto frames = songFrameCounts(model);
    ASSERT_TRUE(frames.has_value());
    EXPECT_EQ(*frames, std::vector<int>{75});
    EXPECT_FALSE(withSongFrames(model, *frames).has_value());

    // Encoder: the samples it plans with and the samples it decodes.
    MclListHandle list = MclListCreate();
    MclListAdd(*list, song, kMclAudioEntry);
    EXPECT_EQ(MclListGetSampleCount(*list), length->samples);
    std::int64_t decoded = 0;
    const std::vector<float> left = encoderSamples<float>(song, AV_SAMPLE_FMT_FLTP, &decoded);
    EXPECT_EQ(decoded, length->samples);
    // The damage is in the middle; the last half second still sounds.
    float peak = 0;
    for (std::size_t i = left.size() - 22050; i < left.size(); ++i)
        peak = std::max(peak, std::abs(left[i]));
    EXPECT_GT(peak, 0.05f);
}

TEST(SongAgreement, TimelineFollowsTheFileNotAStaleTable) {
    TempDir dir;
    const fs::path file = dir.path() / "song.mp3";
    makeMp3(file, {2.5, 22050, false, true, 1});
    ProjectModel model;
    MusicEntry entry;
    entry.location = toQString(file);
    entry.frameCount = 500;  // measured before the file changed
    model.music.append(entry);
    auto frames = songFrameCounts(model);
    ASSERT_TRUE(frames.has_value());
    EXPECT_EQ(*frames, std::vector<int>{50});
    auto updated = withSongFrames(model, *frames);
    ASSERT_TRUE(updated.has_value());
    EXPECT_EQ(updated->music.at(0).frameCount, 50);

    fs::remove(file);
    frames = songFrameCounts(model);
    ASSERT_FALSE(frames.has_value());
    EXPECT_TRUE(frames.error().message.contains(toQString(file)));
}

TEST(SongAgreement, PlaybackAndEncoderDecodeEveryLayoutToTheSameStereo) {
    TempDir dir;
    const auto tone = [](int i, int c) {
        return std::int16_t(3000 * std::sin(2 * M_PI * (200 + 150 * c) * i / 44100.0));
    };
    const fs::path mono = dir.path() / "mono.mp3";
    const fs::path surround = dir.path() / "surround.wav";
    const fs::path bare = dir.path() / "bare.wav";
    makeMp3(mono, {1.0, 22050, false, true, 1});
    writeWav(surround, 6, 48000, 0x3F, 24000, tone);
    writeWav(bare, 6, 32000, 0, 16000, tone);
    for (const fs::path& file : {mono, surround, bare}) {
        SCOPED_TRACE(file.filename().string());
        const QString song = toQString(file);
        const std::vector<std::int16_t> played = playbackSamples(song);
        std::int64_t decoded = 0;
        const std::vector<std::int16_t> encoded =
            encoderSamples<std::int16_t>(song, AV_SAMPLE_FMT_S16, &decoded);
        auto length = av::measureSongLength(song);
        ASSERT_TRUE(length.has_value());
        EXPECT_NEAR(double(decoded), double(length->samplesAt(44100)), 2);
        ASSERT_EQ(played.size(), encoded.size());
        EXPECT_TRUE(played == encoded);
        std::int64_t peak = 0;
        for (std::int16_t s : played) peak = std::max<std::int64_t>(peak, std::abs(s));
        EXPECT_GT(peak, 1000);
    }
}

}  // namespace
}  // namespace orvane
