#pragma once
// Failures. A failure the user causes (a damaged file, a wrong choice) is a
// UserError value carried by Result<T>; its message names the file involved
// and is shown in the message window or printed by the CLI. Failures nobody
// foresaw are thrown as OrvaneError, which also carries a clear message.

#include <QString>
#include <expected>
#include <stdexcept>

namespace orvane {

struct UserError {
    QString message;
};

template <typename T>
using Result = std::expected<T, UserError>;

inline std::unexpected<UserError> fail(const QString& message) {
    return std::unexpected(UserError{message});
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
