#include "render/mcl/temporary_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "base/temporary_output_name.h"

namespace orvane {

TemporaryOutput::TemporaryOutput(QString finalPath) : m_finalPath(std::move(finalPath)) {}

TemporaryOutput::~TemporaryOutput() { remove(); }

Result<void> TemporaryOutput::create() {
    const QFileInfo info(m_finalPath);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return fail(
            QStringLiteral("The folder %1 does not exist; %2 cannot be written.")
                .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(m_finalPath)));
    // Created with the usual permissions (0666 less the umask), unlike a
    // private temporary file, because it becomes the user's file.
    std::random_device random;
    int error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = folder + QLatin1Char('/') +
                                  temporaryOutputName(info.fileName(), int(random() % 1000000));
        const int fd = ::open(QFile::encodeName(candidate).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            m_temporaryPath = candidate;
            return {};
        }
        error = errno;
        if (error != EEXIST) break;
    }
    return fail(QStringLiteral("The folder %1 cannot be written (%2); %3 was not made.")
                    .arg(QDir::toNativeSeparators(folder),
                         QString::fromLocal8Bit(std::strerror(error)),
                         QDir::toNativeSeparators(m_finalPath)));
}

Result<void> TemporaryOutput::commit() {
    const QByteArray from = QFile::encodeName(m_temporaryPath);
    const QByteArray to = QFile::encodeName(m_finalPath);
    if (std::rename(from.constData(), to.constData()) != 0)
        return fail(QStringLiteral("%1 could not be put in place: %2")
                        .arg(QDir::toNativeSeparators(m_finalPath),
                             QString::fromLocal8Bit(std::strerror(errno))));
    m_committed = true;
    return {};
}

void TemporaryOutput::remove() {
    if (!m_committed && !m_temporaryPath.isEmpty()) QFile::remove(m_temporaryPath);
    m_temporaryPath.clear();
}

}  // namespace orvane
