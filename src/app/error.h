#pragma once
// Failures. A failure the user causes (a damaged file, a wrong choice) is a
// UserError value carried by Result<T>; its message names the file involved
// and is shown in the message window or printed by the CLI. A stop asked for
// by the user travels the same way with the kind Stopped, so callers tell a
// stop from a failure by its kind, never by its text. Failures nobody
// foresaw are thrown as OrvaneError, which also carries a clear message.

#include <QString>
#include <expected>
#include <stdexcept>

namespace orvane {

enum class ErrorKind {
    Input,     // the user's input: a bad file, a wrong choice, a folder in use
    Stopped,   // the user asked the operation to stop
    Internal,  // something the program did not foresee (a failing disk, a bug)
};

struct UserError {
    QString message;
    ErrorKind kind = ErrorKind::Input;

    bool isStop() const { return kind == ErrorKind::Stopped; }
};

template <typename T>
using Result = std::expected<T, UserError>;

inline std::unexpected<UserError> fail(const QString& message, ErrorKind kind = ErrorKind::Input) {
    return std::unexpected(UserError{message, kind});
}

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
