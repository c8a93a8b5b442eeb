#pragma once
// The encoder library: turns a list of album frames and a list of songs into
// one VCD, SVCD or DVD program stream, an AVI or MP4 file, or a numbered
// picture sequence, on FFmpeg's libraries.
//
// One conversion, in this order (h is the encoder):
//
//   auto h = MclCreate();
//   MclAssignVideoSource(*h, ...);   // frame i: a file, a picture in memory, or the end
//   MclAssignVideoFunc(*h, ...);     // frame i: the caller paints it (in memory)
//   MclAssignAudioSource(*h, ...);   // song i: a file, or the end
//   MclAssignAudioFunc(*h, ...);     // optional: told about every audio block
//   MclAssignProgress(*h, ...);      // log lines: MclProgressLine(...)
//   MclAssignError(*h, ...);         // the error text: MclGetErrorStr(*h)
//
//   auto video = MclListCreate();  auto audio = MclListCreate();
//   MclListAddMemoryFrames(*video, totalFrames);           // frames painted in memory
//   //   or per frame file: MclListAdd(*video, path, kMclVideoEntry, 0, 0);
//   MclListAdd(*audio, songPath, kMclAudioEntry, 0, 0);    // per song, in order
//   MclListGetFrameCount(*video); MclListGetSampleCount(*audio);  // for the log
//
//   MclSetFormatPreset(*h, MclFormat::DVD, MclTvSystem::PAL);   // not for AVI, MP4 or pictures
//   MclVideoSetTvSystem(*h, MclTvSystem::NTSC);  // MP4: 30000/1001 frames per second
//   MclVideoSetKeepDuration(*h, true);        // NTSC repeats frames so the length is kept
//   MclAudioSetTruncateToVideo(*h, true);     // photo-length albums: sound ends with the picture
//   MclVideoSetFormat(*h, outputWidth, outputHeight, 32);
//   MclVideoSetBitRate(*h, MclQuality::High); // only for "gaoqing_huazhi"; default is normal
//   MclAudioSetCodec(*h, MclAudioCodec::FormatDefault);
//   MclVideoSetFileName(*h, outputPath);  MclAudioSetFileName(*h, outputPath);
//   // or all settings at once: MclSetSettings(*h, settings) with an EncoderSettings
//   // (encoder_settings.h), and all callbacks at once: MclAssignCallbacks(*h, {...})
//   if (frames > 0 || samples > 0) {
//       MclConvert(*h);                   // returns when done, failed or aborted
//       if (MclGetError(*h) != MclError::None) log(MclGetErrorStr(*h));
//   }
//   // lists and encoder are freed by their unique_ptr (MclListFree/MclFree)
//
// The output kind follows from the calls: a format preset gives an MPEG
// program stream ("vcd", "svcd", "dvd" muxers); without one, a file name
// ending in ".avi" gives AVI (MPEG-4 Visual + MP3), one ending in ".mp4" gives
// MP4 (H.264 High profile by libx264 + AAC, yuv420p, the index at the front,
// 25 or 30000/1001 frames per second by the TV system; high quality is x264's
// "medium" preset at rate factor 20, normal "veryfast" at 23), and one ending
// in ".jpg",
// ".bmp", ".tga" or ".pcx" gives a picture sequence: the name is the first
// picture ("…/01.JPG"), the next ones are 02, 03, … 99, 100, … with the same
// extension in the same folder, one per album frame, without sound.
//
// Video frames. For frame i the encoder calls the video source with i. The
// source answers MclSourceSetFile (the picture is read from that file, when
// frame i is needed and not before, so the file may be rewritten between
// frames), MclSourceSetMemory (the picture is painted by the video func) or
// MclSourceFinished (no more frames). Then the video func is called with a
// picture of outputWidth × outputHeight (Format_RGB32): for a file source it
// holds the file's picture; for a memory source the caller paints the whole
// frame into it (its previous content is undefined). The picture belongs to
// the encoder and is valid only during the call. The album runs at 25 frames
// per second; with NTSC and keep-duration each frame is repeated as needed for
// 30000/1001 frames per second. MclListSource makes the usual source callback
// that walks a list.
//
// Threads. All callbacks run on the thread that called MclConvert, inside it.
// Encoding runs on worker threads meanwhile, so painting frame i+1 overlaps
// encoding frame i. MclAbort may be called from any thread (a stop button, a
// signal handler's flag watcher) or from inside a callback.
//
// Output safety. The output is written to a temporary name in the output
// folder and renamed only when the conversion succeeded; a failed or aborted
// conversion (disk full, unreadable song, stop) leaves no file at the output
// path (for a picture sequence: none of its pictures).

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace orvane {

class MclEncoder;  // the handle; defined in mcl_encoder.h
class MclList;
class MclSource;  // what a source callback answers into

// Entry kinds of MclListAdd (the flags of the original calls).
inline constexpr int kMclVideoEntry = 8;    // one frame read from a picture file
inline constexpr int kMclAudioEntry = 16;   // one song file
inline constexpr int kMclMemoryEntry = 32;  // one frame painted in memory by the video func

enum class MclFormat { VCD = 0, SVCD = 1, DVD = 2 };
enum class MclTvSystem { PAL = 0, NTSC = 1 };
enum class MclQuality { Normal, High };
enum class MclAudioCodec {
    FormatDefault = 2,  // MP2 for VCD/SVCD/DVD, MP3 for AVI
    Ac3 = 3,            // DVD only; other formats keep their default
};

// Progress statuses and the numbers that come with them.
enum class MclStatus {
    ProcessingTime = 0,  // at the end: elapsed time
    Preparing = 1,       // before the first frame
    ReducingColors = 2,  // a = frames done (palette formats; not used by ours)
    Frame = 3,           // a = frames done, b = samples done (at 44 100 Hz)
    Multiplexing = 4,    // c = percent done
};

enum class MclError {
    None = 0,
    Aborted,   // MclAbort was called
    Settings,  // a call's values cannot be encoded (size, missing name, …)
    Source,    // a frame picture or a song could not be read
    Encoder,   // FFmpeg could not set up or run an encoder
    Output,    // the output could not be written (folder, disk full, rename)
};

struct MclDeleter {
    void operator()(MclEncoder* encoder) const;
    void operator()(MclList* list) const;
};
using MclHandle = std::unique_ptr<MclEncoder, MclDeleter>;
using MclListHandle = std::unique_ptr<MclList, MclDeleter>;

// Callbacks. `index` is 0-based. All run on the MclConvert thread.
using MclSourceFunc = std::function<void(MclSource& source, int index)>;
// Returns false to stop the conversion (as MclAbort).
using MclVideoFunc = std::function<bool(MclEncoder& h, QImage& frame, int index)>;
// A block of `sampleCount` samples starting at `firstSample` was encoded.
using MclAudioFunc = std::function<void(MclEncoder& h, std::int64_t firstSample, int sampleCount)>;
using MclProgressFunc =
    std::function<void(MclEncoder& h, MclStatus status, std::int64_t a, std::int64_t b, int c)>;
// Called once when the conversion fails (not when it is aborted); the text is
// MclGetErrorStr(h).
using MclErrorFunc = std::function<void(MclEncoder& h, MclError error)>;

// All callbacks of a conversion, as the MclAssign… calls set them one by
// one; an empty one is not called.
struct MclCallbacks {
    MclSourceFunc videoSource;
    MclVideoFunc video;
    MclSourceFunc audioSource;
    MclAudioFunc audio;
    MclProgressFunc progress;
    MclErrorFunc error;
};

struct EncoderSettings;  // encoder_settings.h

MclHandle MclCreate();
void MclFree(MclHandle& h);  // same as h.reset()

void MclAssignVideoSource(MclEncoder& h, MclSourceFunc source);
void MclAssignVideoFunc(MclEncoder& h, MclVideoFunc func);
void MclAssignAudioSource(MclEncoder& h, MclSourceFunc source);
void MclAssignAudioFunc(MclEncoder& h, MclAudioFunc func);
void MclAssignProgress(MclEncoder& h, MclProgressFunc func);
void MclAssignError(MclEncoder& h, MclErrorFunc func);
// All six at once; replaces every callback assigned before.
void MclAssignCallbacks(MclEncoder& h, MclCallbacks callbacks);

// Lists of frames and songs.
MclListHandle MclListCreate();
void MclListFree(MclListHandle& list);  // same as list.reset()
// kind is kMclVideoEntry, kMclAudioEntry or kMclMemoryEntry (path unused);
// a and b are unused and kept for the original call shape.
void MclListAdd(MclList& list, const QString& path, int kind, int a = 0, int b = 0);
// `count` memory entries at once.
void MclListAddMemoryFrames(MclList& list, int count);
int MclListSize(const MclList& list);
// Video lists: the number of frame entries.
std::int64_t MclListGetFrameCount(const MclList& list);
// Audio lists: the songs' total length in samples at 44 100 Hz, each song
// measured by the media layer's song length (as the album timeline and the
// import measure it); an unreadable song counts 0 (the conversion reports it).
std::int64_t MclListGetSampleCount(const MclList& list);
// Entry `index`'s path (empty for a memory entry), or nothing past the end.
std::optional<QString> MclListGetName(const MclList& list, int index);

// A source callback walking `list` (memory entries answer MclSourceSetMemory).
// The list must outlive the conversion.
MclSourceFunc MclListSource(const MclList& list);

// Answers of a source callback.
void MclSourceSetFile(MclSource& source, const QString& path);
void MclSourceSetMemory(MclSource& source);
void MclSourceFinished(MclSource& source);

// Settings (before MclConvert).
// All of them at once, as the calls below set them one by one.
void MclSetSettings(MclEncoder& h, const EncoderSettings& settings);
void MclSetFormatPreset(MclEncoder& h, MclFormat format, MclTvSystem system);
// The TV system of formats without a preset that follow it (MP4): PAL 25,
// NTSC 30000/1001 frames per second. AVI always runs at 25.
void MclVideoSetTvSystem(MclEncoder& h, MclTvSystem system);
void MclVideoSetKeepDuration(MclEncoder& h, bool keep);
void MclAudioSetTruncateToVideo(MclEncoder& h, bool truncate);
// Picture size of the output; bitsPerPixel is accepted as 24 or 32 (both mean
// RGB pictures in). Width and height must be even, 16 … 4094.
void MclVideoSetFormat(MclEncoder& h, int width, int height, int bitsPerPixel);
// High quality: the format's full bit rate for the picture size (clean pans
// and zooms); without this call the encoder uses about half of it. For MP4
// the quality chooses the x264 preset and rate factor instead.
void MclVideoSetBitRate(MclEncoder& h, MclQuality quality);
// An explicit average video bit rate in kbit/s (benchmarks, tests).
void MclVideoSetBitRateKbps(MclEncoder& h, int kbps);
void MclAudioSetCodec(MclEncoder& h, MclAudioCodec codec);
void MclVideoSetFileName(MclEncoder& h, const QString& path);
void MclAudioSetFileName(MclEncoder& h, const QString& path);

// Runs the conversion; returns when it is complete, failed or aborted.
// Returns true on success (same as MclGetError(h) == MclError::None).
bool MclConvert(MclEncoder& h);
MclError MclGetError(const MclEncoder& h);
// The error text: names the file involved and carries FFmpeg's own text.
QString MclGetErrorStr(const MclEncoder& h);
// Stops a running conversion (any thread; a lock-free flag, so a signal
// handler may call it too); harmless when none runs. MclConvert clears the
// flag when it starts, so a stop requested before it is forgotten.
void MclAbort(MclEncoder& h);

// Milliseconds since MclConvert started.
std::int64_t MclGetElapsedTime(const MclEncoder& h);
// Milliseconds still to go, estimated from the frames done so far.
std::int64_t MclGetRemainingTime(const MclEncoder& h, std::int64_t totalFrames,
                                 std::int64_t totalSamples);
// "hh:mm:ss" of a duration in milliseconds.
QString MclMakeTimeStr(std::int64_t milliseconds);

// The log line of a progress report: "Processing time: 00:00:12",
// "Preparing conversion...", "Frame: 250, Sample: 441000, Time Left: 00:01:02",
// "Multiplexing done: 100%", or "Unrecognized status code".
QString MclProgressLine(const MclEncoder& h, MclStatus status, std::int64_t a, std::int64_t b,
                        int c, std::int64_t totalFrames, std::int64_t totalSamples);

}  // namespace orvane
