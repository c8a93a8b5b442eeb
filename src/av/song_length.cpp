#include "av/song_length.h"

#include <array>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

#include "av/ffmpeg_handles.h"
#include "base/working_folder.h"

namespace orvane::av {
namespace {

std::uint32_t bigEndian(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

bool hasTag(const std::vector<unsigned char>& b, std::size_t at, const char* tag) {
    if (at + 4 > b.size()) return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (b[at + i] != static_cast<unsigned char>(tag[i])) return false;
    return true;
}

// The shortest MPEG audio frame: layer III of MPEG-2 at 8 kbit/s and 24 kHz.
constexpr std::int64_t kMinMpegFrameBytes = 24;

// The frame count and gapless information an encoder wrote into the first
// MPEG audio frame.
struct VbrHeader {
    std::int64_t frames = 0;
    std::int64_t bytes = 0;  // 0 when not given
    std::int64_t delay = 0;
    std::int64_t padding = 0;
    int samplesPerFrame = 0;
    int sampleRate = 0;
    LengthSource source = LengthSource::XingHeader;
};

std::optional<VbrHeader> readVbrHeader(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    // Skip ID3v2 tags (there may be more than one, each with a synch-safe size).
    std::int64_t offset = 0;
    for (;;) {
        std::array<unsigned char, 10> h{};
        in.seekg(offset);
        if (!in.read(reinterpret_cast<char*>(h.data()), 10)) return std::nullopt;
        if (h[0] != 'I' || h[1] != 'D' || h[2] != '3') break;
        const std::int64_t size =
            (h[6] & 0x7F) << 21 | (h[7] & 0x7F) << 14 | (h[8] & 0x7F) << 7 | (h[9] & 0x7F);
        offset += 10 + size + ((h[5] & 0x10) ? 10 : 0);
    }
    std::vector<unsigned char> b(8192);
    in.clear();
    in.seekg(offset);
    in.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(b.size()));
    b.resize(static_cast<std::size_t>(in.gcount()));

    // The first plausible frame header.
    for (std::size_t p = 0; p + 4 <= b.size(); ++p) {
        if (b[p] != 0xFF || (b[p + 1] & 0xE0) != 0xE0) continue;
        const int version = (b[p + 1] >> 3) & 3;  // 0: 2.5, 2: 2, 3: 1
        const int layer = (b[p + 1] >> 1) & 3;    // 1: III, 2: II, 3: I
        const int bitrateIndex = b[p + 2] >> 4;
        const int rateIndex = (b[p + 2] >> 2) & 3;
        if (version == 1 || layer == 0 || bitrateIndex == 15 || rateIndex == 3) continue;
        static constexpr int rates[3] = {44100, 48000, 32000};
        const int sampleRate = rates[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
        const bool mono = (b[p + 3] >> 6) == 3;
        const int samplesPerFrame = layer == 3 ? 384 : (layer == 2 || version == 3) ? 1152 : 576;

        VbrHeader header;
        header.sampleRate = sampleRate;
        header.samplesPerFrame = samplesPerFrame;
        const std::size_t sideInfo = version == 3 ? (mono ? 17 : 32) : (mono ? 9 : 17);
        const std::size_t xing = p + 4 + sideInfo;
        const std::size_t vbri = p + 36;
        if (hasTag(b, xing, "Xing") || hasTag(b, xing, "Info")) {
            std::size_t at = xing + 8;
            if (at > b.size()) return std::nullopt;
            const std::uint32_t flags = bigEndian(b, xing + 4, 4);
            if (!(flags & 1) || at + 4 > b.size()) return std::nullopt;
            header.frames = bigEndian(b, at, 4);
            at += 4;
            if (flags & 2) {
                if (at + 4 > b.size()) return std::nullopt;
                header.bytes = bigEndian(b, at, 4);
                at += 4;
            }
            if (flags & 4) at += 100;
            if (flags & 8) at += 4;
            // The LAME extension: a 9-character encoder name, then at offset
            // 21 the encoder delay and padding, 12 bits each.
            if (at + 24 <= b.size() && std::isalpha(b[at]) && std::isalpha(b[at + 1])) {
                const std::int64_t delay = (b[at + 21] << 4) | (b[at + 22] >> 4);
                const std::int64_t padding = ((b[at + 22] & 0x0F) << 8) | b[at + 23];
                if (delay + padding < header.frames * samplesPerFrame) {
                    header.delay = delay;
                    header.padding = padding;
                }
            }
            return header;
        }
        if (hasTag(b, vbri, "VBRI") && vbri + 18 <= b.size()) {
            header.source = LengthSource::VbriHeader;
            header.delay = bigEndian(b, vbri + 6, 2);
            header.bytes = bigEndian(b, vbri + 10, 4);
            header.frames = bigEndian(b, vbri + 14, 4);
            if (header.delay >= header.frames * samplesPerFrame) header.delay = 0;
            return header;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

Result<SongLength> measureSongLength(const QString& path) {
    const fs::path file = toPath(path);
    const auto cantRead = [&](const QString& why) {
        return fail(QStringLiteral("无法读取音乐文件 %1：%2").arg(path, why));
    };
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return cantRead(QStringLiteral("文件不存在"));
    if (fs::file_size(file, ec) == 0) return cantRead(QStringLiteral("文件是空的"));

    AVFormatContext* raw = nullptr;
    int rc = avformat_open_input(&raw, file.c_str(), nullptr, nullptr);
    if (rc < 0) return cantRead(errorText(rc));
    InputPtr format(raw);
    // An MP3 file's first frame header already tells the codec and the rate;
    // other files are probed further.
    const bool known = format->nb_streams == 1 &&
                       format->streams[0]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO &&
                       format->streams[0]->codecpar->sample_rate > 0 &&
                       format->streams[0]->codecpar->codec_id != AV_CODEC_ID_NONE;
    if (!known && (rc = avformat_find_stream_info(format.get(), nullptr)) < 0)
        return cantRead(errorText(rc));
    const int streamIndex =
        av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (streamIndex < 0) return cantRead(QStringLiteral("没有音频"));
    AVStream* stream = format->streams[streamIndex];
    const int sampleRate = stream->codecpar->sample_rate;
    if (sampleRate <= 0) return cantRead(QStringLiteral("没有音频"));
    const AVCodecID codec = stream->codecpar->codec_id;
    const bool mpegAudio =
        codec == AV_CODEC_ID_MP3 || codec == AV_CODEC_ID_MP2 || codec == AV_CODEC_ID_MP1;

    if (mpegAudio) {
        if (auto header = readVbrHeader(file)) {
            // A header that promises more bytes than the file holds belongs to
            // a truncated file: count its frames instead.
            // So does one that claims more frames than the file could hold
            // (no MPEG audio frame is shorter than kMinMpegFrameBytes).
            const auto fileSize = static_cast<std::int64_t>(fs::file_size(file, ec));
            if (header->frames > 0 && header->bytes <= fileSize &&
                header->frames <= fileSize / kMinMpegFrameBytes) {
                SongLength length;
                length.sampleRate = header->sampleRate;
                length.samples =
                    header->frames * header->samplesPerFrame - header->delay - header->padding;
                length.source = header->source;
                return length;
            }
        }
    }

    if (!mpegAudio && stream->duration > 0 && stream->duration != AV_NOPTS_VALUE) {
        SongLength length;
        length.sampleRate = sampleRate;
        length.samples =
            av_rescale_q(stream->duration, stream->time_base, AVRational{1, sampleRate});
        length.source = LengthSource::Container;
        return length;
    }

    // Count the frames: every packet is one frame, and its duration is known
    // from its header, so nothing is decoded.
    PacketPtr packet(av_packet_alloc());
    std::int64_t total = 0;
    std::int64_t packets = 0;
    while ((rc = av_read_frame(format.get(), packet.get())) >= 0) {
        if (packet->stream_index == streamIndex && packet->duration > 0) {
            total += packet->duration;
            ++packets;
        }
        av_packet_unref(packet.get());
    }
    if (rc != AVERROR_EOF && packets == 0) return cantRead(errorText(rc));
    if (packets == 0) return cantRead(QStringLiteral("没有音频帧"));
    SongLength length;
    length.sampleRate = sampleRate;
    length.samples = av_rescale_q(total, stream->time_base, AVRational{1, sampleRate});
    length.source = LengthSource::FrameCount;
    return length;
}

}  // namespace orvane::av
