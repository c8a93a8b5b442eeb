#include "base/album_time.h"

namespace orvane {
namespace {

QString twoDigits(std::int64_t v) {
    return v < 10 ? QStringLiteral("0") + QString::number(v) : QString::number(v);
}

}  // namespace

QString clockText(int seconds) {
    return twoDigits((seconds / 60) % 60) + QLatin1Char(':') + twoDigits(seconds % 60);
}

QString frameClockText(int frames) { return clockText(frames / kFramesPerSecond); }

SongDuration songDuration(std::int64_t milliseconds) {
    const std::int64_t seconds = milliseconds / 1000;
    return {QStringLiteral("00:") + twoDigits(seconds / 60) + QLatin1Char(':') +
                twoDigits(seconds % 60),
            QString::number(songFrameCount(milliseconds))};
}

int songFrameCount(std::int64_t milliseconds) {
    return static_cast<int>(milliseconds / 1000 * kFramesPerSecond);
}

}  // namespace orvane
