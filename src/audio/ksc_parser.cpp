#include "audio/ksc_parser.h"

#include <QFontMetrics>

#include "audio/script_converter.h"
#include "base/album_time.h"
#include "base/fonts.h"
#include "base/text_lines.h"

namespace orvane {
namespace {

constexpr QChar kQuote = QLatin1Char('\'');
constexpr int kMsPerFrame = 1000 / kFramesPerSecond;

// The fields between the 1st and 2nd, 3rd and 4th, … quote.
QStringList quotedFields(const QString& line) {
    QStringList fields;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = line.indexOf(kQuote, from);
        if (open < 0) break;
        const qsizetype close = line.indexOf(kQuote, open + 1);
        if (close < 0) break;
        fields << line.mid(open + 1, close - open - 1);
        from = close + 1;
        if (fields.size() == 4) break;
    }
    return fields;
}

// Whole seconds of a time text "MM:SS…" (characters 1–2 and 4–5): two
// digits of minutes, a colon, two digits of seconds below 60. Signs and
// other characters are refused, or "-1:00" would show as "0-1:0-1".
bool timeSeconds(const QString& time, int& seconds) {
    if (time.size() < 5 || time[2] != QLatin1Char(':')) return false;
    for (int i : {0, 1, 3, 4})
        if (time[i] < QLatin1Char('0') || time[i] > QLatin1Char('9')) return false;
    const int minutes = time.mid(0, 2).toInt();
    const int secs = time.mid(3, 2).toInt();
    if (secs >= 60) return false;
    seconds = minutes * 60 + secs;
    return true;
}

}  // namespace

QStringList KscDocument::appearTimes() const {
    QStringList out;
    for (const KscLine& l : lines) out << l.appear;
    return out;
}
QStringList KscDocument::hideTimes() const {
    QStringList out;
    for (const KscLine& l : lines) out << l.hide;
    return out;
}
QStringList KscDocument::sweepTimes() const {
    QStringList out;
    for (const KscLine& l : lines) out << l.sweep;
    return out;
}

int karaokeFontSize(const KaraokeEntry& entry, int areaWidth, int previewWidth) {
    return entry.fontSize * areaWidth / previewWidth;
}

QFont kscMeasuringFont(int fontSize) {
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(std::max(1, pointsToPixels(fontSize)));
    return font;
}

int roundHalfEven(long long numerator, long long denominator) {
    long long q = numerator / denominator;
    long long r = numerator % denominator;
    if (r < 0) {
        r += denominator;
        --q;
    }
    if (2 * r > denominator || (2 * r == denominator && (q & 1))) ++q;
    return static_cast<int>(q);
}

QStringList kscUnits(const QString& text) {
    QStringList units;
    QString group;
    bool inGroup = false;
    for (const QChar c : text) {
        if (inGroup) {
            if (c == QLatin1Char(']')) {
                units << group;
                inGroup = false;
            } else {
                group += c;
            }
        } else if (c == QLatin1Char('[')) {
            inGroup = true;
            group.clear();
        } else {
            units << QString(c);
        }
    }
    if (inGroup) units << group;
    return units;
}

KscDocument parseKsc(const QStringList& fileLines, const KscOptions& options,
                     ScriptConverter& converter) {
    KscDocument doc;
    doc.fontSize = options.fontSize;
    const QFontMetrics metrics(kscMeasuringFont(options.fontSize));

    for (qsizetype n = 0; n < fileLines.size(); ++n) {
        const QString& source = fileLines[n];
        if (!source.startsWith(QLatin1String("karaoke.add"))) continue;
        const int fileLine = static_cast<int>(n) + 1;
        const auto skip = [&](const QString& reason) { doc.skipped.push_back({fileLine, reason}); };

        const QStringList fields = quotedFields(source);
        if (fields.size() < 4) {
            skip(QStringLiteral("fewer than four quoted fields"));
            continue;
        }
        KscLine line;
        line.fileLine = fileLine;
        line.start = fields[0];
        line.end = fields[1];
        line.text = fields[2];
        line.durations = fields[3];
        int startSeconds = 0;
        int endSeconds = 0;
        if (!timeSeconds(line.start, startSeconds) || !timeSeconds(line.end, endSeconds)) {
            skip(QStringLiteral("a time that is not MM:SS"));
            continue;
        }

        const QStringList unitTexts = kscUnits(line.text);
        const QStringList durations = line.durations.split(QLatin1Char(','));
        if (durations.size() < unitTexts.size()) {
            skip(QStringLiteral("%1 durations for %2 units")
                     .arg(durations.size())
                     .arg(unitTexts.size()));
            continue;
        }
        bool durationsOk = true;
        int cumulative = 0;
        for (qsizetype k = 0; k < unitTexts.size(); ++k) {
            bool ok = false;
            const int ms = durations[k].trimmed().toInt(&ok);
            if (!ok || ms < 0) {
                durationsOk = false;
                break;
            }
            KscUnit unit;
            unit.text = unitTexts[k];
            unit.durationMs = ms;
            unit.frames = roundHalfEven(ms, kMsPerFrame);
            unit.width = metrics.horizontalAdvance(unit.text);
            cumulative += unit.width;
            unit.cumulativeWidth = cumulative;
            unit.advance = roundHalfEven(unit.width, std::max(1, unit.frames));
            line.units.push_back(unit);
        }
        if (!durationsOk) {
            skip(QStringLiteral("a duration that is not a number of milliseconds"));
            continue;
        }

        line.appear = clockText(startSeconds - 1);
        line.hide = clockText(endSeconds + 1);
        line.sweep = line.start.left(5);
        line.row = doc.lines.size() % 2 == 0 ? QStringLiteral("A") : QStringLiteral("B");
        line.processed = converter.convert(unitTexts.join(QString()), options.script);
        doc.lines.push_back(std::move(line));
    }
    return doc;
}

Result<KscDocument> parseKscFile(const QString& path, const KscOptions& options,
                                 ScriptConverter& converter) {
    auto lines = readTextLines(path);
    if (!lines) return std::unexpected(lines.error());
    return parseKsc(*lines, options, converter);
}

}  // namespace orvane
