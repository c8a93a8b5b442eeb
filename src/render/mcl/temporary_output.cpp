#include "render/mcl/temporary_output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

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
    QTemporaryFile file(folder + QLatin1Char('/') + QLatin1Char('.') + info.fileName() +
                        QStringLiteral(".XXXXXX.part"));
    file.setAutoRemove(false);
    if (!file.open())
        return fail(QStringLiteral("The folder %1 cannot be written (%2); %3 was not made.")
                        .arg(QDir::toNativeSeparators(folder), file.errorString(),
                             QDir::toNativeSeparators(m_finalPath)));
    m_temporaryPath = file.fileName();
    return {};
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
