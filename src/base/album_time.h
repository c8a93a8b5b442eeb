#pragma once
// Time texts of songs, lyrics and karaoke lines. The clock text of t whole
// seconds is "MM:SS" with the minutes wrapped at 60; a song's duration text
// "00:MM:SS" does not wrap its minutes. Album time runs at 25 frames per
// second.

#include <QString>
#include <cstdint>

namespace orvane {

inline constexpr int kFramesPerSecond = 25;

// "MM:SS" of t seconds: MM = (t div 60) mod 60, SS = t mod 60, each given a
// leading "0" when below 10. Divisions truncate toward zero, so -1 gives
// "00:0-1", a text no clock ever shows.
QString clockText(int seconds);

// The clock text of an album frame count: trunc(frames × 0.04) seconds.
QString frameClockText(int frames);

// The length fields of a song of `milliseconds`: the milliseconds are dropped
// first, then duration = "00:" + MM + ":" + SS (minutes not wrapped) and
// frameCount = whole seconds × 25.
struct SongDuration {
    QString duration;
    QString frameCount;
};
SongDuration songDuration(std::int64_t milliseconds);
// The album frames a song of `milliseconds` lasts: whole seconds × 25.
int songFrameCount(std::int64_t milliseconds);

}  // namespace orvane
