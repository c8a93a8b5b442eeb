#pragma once
// The make-album log: encoder progress lines, template failures and files
// the overlays left out. It keeps the last 32 000 lines: when it already
// holds more than 31 999, the oldest line is dropped before a new one is
// added. Every line is also handed to `onLine` (the window's list, the CLI's
// standard error). One thread at a time.
//
// The build decides each line as facts (AlbumLogLine); a front end words
// them (the CLI keeps the English words the build gives, the windows word
// them in Chinese) through AlbumRequest::wordLog.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <functional>

#include "base/error.h"
#include "render/mcl/mcl.h"

namespace orvane {

enum class AlbumLogKind {
    TotalFrames,   // count
    TotalSamples,  // count
    ConversionStarted,
    ConversionEnded,
    NothingToConvert,
    EncoderProgress,  // status, a, b, c, time (as the encoder reports them)
    EncoderError,     // problem: the library's words in detail
    TemplateSkipped,  // problem: TemplateUnplayable (the movie and why)
    TemplateFailed,   // problem: TemplateUnplayable, failed while playing; the next one plays
    TemplateWarning,  // english: the player's words
    LeftOut,          // problem: a lyric, karaoke, picture or text the overlays left out
};

struct AlbumLogLine {
    AlbumLogKind kind = AlbumLogKind::TemplateWarning;
    std::int64_t count = 0;
    MclStatus status = MclStatus::Preparing;
    std::int64_t a = 0, b = 0;
    int c = 0;
    QString time;  // "hh:mm:ss": elapsed (ProcessingTime) or left (Frame)
    UserError problem;
    QString english;  // the line as the CLI prints it
};

// How a front end words a line; the English words when none is given.
using AlbumLogWording = std::function<QString(const AlbumLogLine&)>;
QString englishLogText(const AlbumLogLine& line);

class AlbumLog {
   public:
    static constexpr int kMaxLines = 32000;

    explicit AlbumLog(std::function<void(const QString&)> onLine = {});

    void add(const QString& line);
    void clear();
    int size() const { return static_cast<int>(m_lines.size()); }
    QStringList lines() const;

   private:
    std::deque<QString> m_lines;
    std::function<void(const QString&)> m_onLine;
};

}  // namespace orvane
