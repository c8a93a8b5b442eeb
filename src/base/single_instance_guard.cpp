#include "base/single_instance_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace orvane {

QString SingleInstanceGuard::defaultLockPath() {
    // The title is not a safe file name everywhere; its hash is.
    const QByteArray title = QStringLiteral("Orvane自动套版电子相册").toUtf8();
    const QString name =
        QStringLiteral("orvane-%1.lock")
            .arg(QString::fromLatin1(
                QCryptographicHash::hash(title, QCryptographicHash::Sha1).toHex().left(16)));
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(name);
}

SingleInstanceGuard::SingleInstanceGuard(QString lockPath)
    : m_path(lockPath.isEmpty() ? defaultLockPath() : std::move(lockPath)) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (m_fd >= 0) ::close(m_fd);  // closing drops the lock
}

bool SingleInstanceGuard::acquire() {
    if (m_fd >= 0) return true;
    const int fd = ::open(m_path.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // cannot lock at all: do not keep the user out
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

}  // namespace orvane
