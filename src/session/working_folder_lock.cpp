#include "session/working_folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QStringList>
#include <cerrno>
#include <cstring>

namespace orvane {
namespace {

struct Holder {
    QString name;  // as the holder wrote it ("orvane make")
    QString process;
};

// "pid\nholder\n", as the holder wrote it; empty when unreadable.
Holder readHolder(int fd) {
    char buffer[512] = {};
    const ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    if (n <= 0) return {};
    const QStringList lines = QString::fromUtf8(buffer, n).split(QLatin1Char('\n'));
    if (lines.size() < 2 || lines[0].isEmpty()) return {};
    return {lines[1], lines[0]};
}

}  // namespace

Result<std::unique_ptr<WorkingFolderLock>> WorkingFolderLock::acquire(const WorkingFolder& folder,
                                                                      const QString& holder) {
    const fs::path file = folder.sessionLockFile();
    const QString name = toQString(folder.base());
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        return fail(problemError(
            Problem::WorkingFolderUnlockable,
            QStringLiteral("The working folder %1 cannot be locked: %2").arg(name, why), name,
            why));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const Holder current = readHolder(fd);
        const QString other =
            current.process.isEmpty()
                ? QString()
                : QStringLiteral("%1 (process %2)").arg(current.name, current.process);
        ::close(fd);
        return fail(problemError(
            Problem::WorkingFolderInUse,
            QStringLiteral("The working folder %1 is in use by another run of Orvane%2; "
                           "wait for it to end, or use another working folder.")
                .arg(name, other.isEmpty() ? QString() : QStringLiteral(", ") + other),
            name, current.name));
    }
    const QByteArray record =
        QByteArray::number(static_cast<qint64>(::getpid())) + '\n' + holder.toUtf8() + '\n';
    // The record only helps the message of a refused run; failing to write it
    // changes nothing about the lock.
    if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, record.constData(), record.size(), 0);
    return std::unique_ptr<WorkingFolderLock>(new WorkingFolderLock(fd));
}

WorkingFolderLock::~WorkingFolderLock() {
    // Clear the record first: a later reader must not name a run that ended.
    (void)!::ftruncate(m_fd, 0);
    ::close(m_fd);  // closing drops the lock
}

}  // namespace orvane
