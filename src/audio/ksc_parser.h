#pragma once
// The KSC karaoke parser: the "karaoke.add('start', 'end', 'text',
// 'durations');" lines of a file become the karaoke line table with appear,
// hide and sweep times, the display row (A, B, A, …), the text in the chosen
// script, and per unit (a character, or a bracketed group sung as one) its
// text, frames, width, cumulative width and per-frame advance.
//
// Widths are measured with Qt font metrics, so a QGuiApplication must exist.
// One thread at a time (the script converter is not shared between threads).

#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

class ScriptConverter;

struct KscUnit {
    QString text;
    int durationMs = 0;
    int frames = 0;           // duration / 40 ms, rounded half to even
    int width = 0;            // pixels in the measuring font
    int cumulativeWidth = 0;  // widths of this unit and all before it
    int advance = 0;          // width / frames rounded half to even (0 frames count as 1)
};

struct KscLine {
    QString start;  // as written, e.g. "00:12.345"
    QString end;
    QString text;       // with its brackets
    QString durations;  // as written, e.g. "500,600,700"
    QString appear;     // clock text one second before the start second
    QString hide;       // clock text one second after the end second
    QString sweep;      // first five characters of the start time
    QString row;        // "A" for lines 0, 2, 4, …, "B" for the others
    QString processed;  // the unit texts joined, in the chosen script
    std::vector<KscUnit> units;
    int fileLine = 0;  // 1-based line number in the file
};

// A karaoke line the parser could not use, with the reason.
struct KscSkippedLine {
    int fileLine = 0;
    QString reason;
};

struct KscDocument {
    std::vector<KscLine> lines;
    std::vector<KscSkippedLine> skipped;
    int fontSize = 0;  // karaoke font size in points (album scale)
    QStringList appearTimes() const;
    QStringList hideTimes() const;
    QStringList sweepTimes() const;
};

struct KscOptions {
    int fontSize = 60;                          // see karaokeFontSize()
    QString script = QStringLiteral("jianti");  // "jianti" or "fanti"
};

// The karaoke font size over a target `areaWidth` pixels wide: the entry's
// size is given at the scale of the settings window's 800-pixel preview
// (25 × 1920 div 800 = 60).
int karaokeFontSize(const KaraokeEntry& entry, int areaWidth = 1920, int previewWidth = 800);

// The measuring font: "微软雅黑", plain, at `fontSize` points.
QFont kscMeasuringFont(int fontSize);

// Rounds numerator / denominator (denominator > 0) to the nearest whole
// number, a tie going to the even one.
int roundHalfEven(long long numerator, long long denominator);

// Units of a line text: each character outside brackets, and each bracketed
// group without its brackets. A "[" without its "]" opens a group that runs to
// the end of the text.
QStringList kscUnits(const QString& text);

KscDocument parseKsc(const QStringList& lines, const KscOptions& options,
                     ScriptConverter& converter);
// Reads and parses a file; fails with a message naming it when it cannot be read.
Result<KscDocument> parseKscFile(const QString& path, const KscOptions& options,
                                 ScriptConverter& converter);

}  // namespace orvane
