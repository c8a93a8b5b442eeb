#pragma once
// The encoder's part of the album build: the encoder settings that the
// album's settings choose, and one conversion of the album's frames and
// songs with its log lines and progress.

#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "base/album_settings.h"
#include "base/error.h"
#include "base/progress.h"
#include "render/album/album_log.h"
#include "render/mcl/encoder_settings.h"

namespace orvane {

// What `settings` choose for an album of `size` written to `outputPath`:
// the format preset of "VCD", "SVCD" and "DVD" (AVI, MP4 and picture
// sequences follow the file name), the TV system, the user's size for every
// output kind, high quality for "gaoqing_huazhi", NTSC that keeps the
// album's length, the format's default sound, and the sound cut to the
// picture when `truncateAudioToVideo`.
EncoderSettings albumEncoderSettings(const AlbumSettings& settings, QSize size,
                                     bool truncateAudioToVideo, const QString& outputPath);

struct AlbumEncoding {
    EncoderSettings settings;
    int frames = 0;     // all painted in memory by paintFrame
    QStringList songs;  // in the order heard
    std::function<Result<void>(QImage& frame, int index)> paintFrame;
    std::function<void(const AlbumLogLine& line)> log;
};

// Runs the conversion on a reserved thread of Qt's pool and blocks until
// it ends: progress.advance(frames) once the lists are made, then advance()
// per frame painted; a cancelled progress stops it. Logs the totals, the
// encoder's progress and its error. Returns the number of frames; fails with
// paintFrame's error, with "The album was stopped; no file was written." on
// a stop, or with the encoder's error.
Result<std::int64_t> encodeAlbum(const AlbumEncoding& encoding, Progress& progress);

}  // namespace orvane
