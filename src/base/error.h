#pragma once
// Failures. A failure the user causes (a damaged file, a wrong choice) is a
// UserError value carried by Result<T>; its message names the file involved
// and is shown in the message window or printed by the CLI. A stop asked for
// by the user travels the same way with the kind Stopped, so callers tell a
// stop from a failure by its kind, never by its text. Failures nobody
// foresaw are thrown as OrvaneError, which also carries a clear message.
//
// A failure the windows know how to explain also carries its Problem and its
// facts (the file or folder involved, the other party's own words), so each
// front end words it in its own language: the CLI prints `message`, the
// windows word the problem from the facts. The core never words a problem
// for a window.

#include <QString>
#include <expected>
#include <stdexcept>

namespace orvane {

enum class ErrorKind {
    Input,     // the user's input: a bad file, a wrong choice, a folder in use
    Stopped,   // the user asked the operation to stop
    Internal,  // something the program did not foresee (a failing disk, a bug)
};

// What went wrong, for the front ends to word. Unknown: only the core's
// words (`message`) say it.
enum class Problem {
    Unknown,
    WorkingFolderMissing,     // subject: the working folder
    WorkingFolderInUse,       // subject: the working folder; detail: who holds it, or empty
    WorkingFolderUnlockable,  // subject: the working folder; detail: the system's words
    OutputFolderMissing,      // subject: the folder the output should go to
    OutputFolderReadOnly,     // subject: that folder
    AlbumBeingMade,           // another album is being made
    EncoderSettings,          // detail: the encoder library's words
    EncoderSource,            // a frame or a song could not be read; detail: the library's words
    EncoderFailed,            // the encoder could not run; detail: the library's words
    EncoderOutput,            // the output could not be written; detail: the library's words
    TemplateUnplayable,       // subject: the template movie; detail: why
    LyricUnreadable,          // subject: the LRC file; detail: why
    KaraokeUnreadable,        // subject: the KSC file; detail: why
    PictureUnreadable,        // subject: the decoration picture; detail: why
    PictureTooLarge,          // subject: the decoration picture
    PictureTimesInvalid,      // subject: the decoration picture; detail: why
    TextMotionUnknown,        // subject: the moving text; detail: its motion key
};

struct UserError {
    QString message;  // the core's own words
    ErrorKind kind = ErrorKind::Input;
    Problem problem = Problem::Unknown;
    QString subject{};  // the file or folder involved (or the text, for a moving text)
    QString detail{};   // the other party's own words (a library, the system), or a name

    bool isStop() const { return kind == ErrorKind::Stopped; }
};

template <typename T>
using Result = std::expected<T, UserError>;

inline std::unexpected<UserError> fail(const QString& message, ErrorKind kind = ErrorKind::Input) {
    return std::unexpected(UserError{message, kind, Problem::Unknown, {}, {}});
}

// A failure of a known problem: `message` for the CLI and the log, the facts
// for the windows.
inline UserError problemError(Problem problem, const QString& message, const QString& subject = {},
                              const QString& detail = {}) {
    return UserError{message, ErrorKind::Input, problem, subject, detail};
}

inline std::unexpected<UserError> fail(const UserError& error) { return std::unexpected(error); }

// The error an operation ends with when the user stopped it; `what` names the
// operation ("the photo import").
inline std::unexpected<UserError> stopped(const QString& what) {
    return fail(QStringLiteral("%1 was stopped").arg(what), ErrorKind::Stopped);
}

class OrvaneError : public std::runtime_error {
   public:
    explicit OrvaneError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

   private:
    QString m_message;
};

}  // namespace orvane
