#include "render/mcl/image_sequence_folder.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <random>

#include "base/temporary_output_name.h"

namespace orvane {

namespace {

QString errorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Renames `from` to `to` unless something has the name `to`.
int renameWithoutReplacing(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without RENAME_NOREPLACE: an empty folder made here
    // holds the name, and a rename replaces only an empty folder.
    if (::mkdir(to.constData(), 0700) != 0) return errno;
    if (std::rename(from.constData(), to.constData()) == 0) return 0;
    const int error = errno;
    ::rmdir(to.constData());
    return error;
}

// Exchanges the folders `from` and `to` in one step; ENOSYS or EINVAL where
// the file system cannot.
int exchange(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0)
        return 0;
    return errno;
}

}  // namespace

bool isReplaceableSequenceFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isSymLink() || !info.isDir()) return false;
    static const QRegularExpression picture(QStringLiteral("^[0-9]+\\.(jpg|bmp|tga|pcx)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    QDirIterator entries(folder,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        const QFileInfo entry(entries.next());
        if (entry.isSymLink() || !entry.isFile()) return false;
        if (!picture.match(entry.fileName()).hasMatch()) return false;
    }
    return true;
}

bool isImageSequenceFormat(const QString& format) {
    static const QStringList formats{"JPG", "BMP", "TGA", "PCX"};
    return formats.contains(format.toUpper());
}

ImageSequenceFolder::ImageSequenceFolder(QString folder, QString format, bool replaceExisting)
    : m_folder(QDir::cleanPath(folder)),
      m_format(std::move(format)),
      m_replaceExisting(replaceExisting) {}

ImageSequenceFolder::~ImageSequenceFolder() { remove(); }

Result<void> ImageSequenceFolder::create() {
    if (!isImageSequenceFormat(m_format))
        return fail(QStringLiteral("%1 is not a picture format of a sequence (JPG, BMP, TGA, PCX).")
                        .arg(m_format));
    const QFileInfo info(m_folder);
    if (info.fileName().isEmpty() || info.fileName() == QLatin1String(".."))
        return fail(QStringLiteral("The folder %1 cannot be created.")
                        .arg(QDir::toNativeSeparators(m_folder)));
    if ((info.exists() || info.isSymLink()) &&
        !(m_replaceExisting && isReplaceableSequenceFolder(m_folder)))
        return fail(QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
    const QString parent = info.absolutePath();
    if (!QDir().mkpath(parent))
        return fail(QStringLiteral("The folder %1 cannot be created.")
                        .arg(QDir::toNativeSeparators(m_folder)));
    std::random_device random;
    int error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = parent + QLatin1Char('/') +
                                  temporaryOutputName(info.fileName(), int(random() % 1000000));
        if (::mkdir(QFile::encodeName(candidate).constData(), 0777) == 0) {
            m_temporaryFolder = candidate;
            return {};
        }
        error = errno;
        if (error != EEXIST) break;
    }
    return fail(QStringLiteral("The folder %1 cannot be created (%2).")
                    .arg(QDir::toNativeSeparators(m_folder), errorText(error)));
}

QString ImageSequenceFolder::temporaryFirstPicture() const {
    return m_temporaryFolder + QStringLiteral("/01.") + m_format;
}

QString ImageSequenceFolder::firstPicture() const {
    return m_folder + QStringLiteral("/01.") + m_format;
}

Result<void> ImageSequenceFolder::commit() {
    if (m_temporaryFolder.isEmpty())
        return fail(
            QStringLiteral("The folder %1 was not made.").arg(QDir::toNativeSeparators(m_folder)));
    const QByteArray from = QFile::encodeName(m_temporaryFolder);
    const QByteArray to = QFile::encodeName(m_folder);
    const QFileInfo existing(m_folder);
    if (m_replaceExisting && (existing.exists() || existing.isSymLink())) {
        if (!isReplaceableSequenceFolder(m_folder))
            return fail(QStringLiteral("%1 changed while the pictures were made; they were not put "
                                       "in its place.")
                            .arg(QDir::toNativeSeparators(m_folder)));
        // The new pictures take the name, the old ones the temporary name,
        // in one step; the old ones are removed with the temporary folder.
        if (const int error = exchange(from, to); error != 0)
            return fail(QStringLiteral("%1 could not be replaced: %2")
                            .arg(QDir::toNativeSeparators(m_folder), errorText(error)));
        m_replaced = true;
        m_committed = true;
        removeTemporaryOutput(from.toStdString());
        return {};
    }
    const int error = renameWithoutReplacing(from, to);
    if (error == EEXIST || error == ENOTEMPTY)
        return fail(QStringLiteral("%1 appeared while the pictures were made; they were not put "
                                   "in its place.")
                        .arg(QDir::toNativeSeparators(m_folder)));
    if (error != 0)
        return fail(QStringLiteral("%1 could not be put in place: %2")
                        .arg(QDir::toNativeSeparators(m_folder), errorText(error)));
    m_committed = true;
    return {};
}

void ImageSequenceFolder::remove() {
    if (!m_committed && !m_temporaryFolder.isEmpty())
        removeTemporaryOutput(QFile::encodeName(m_temporaryFolder).toStdString());
    m_temporaryFolder.clear();
}

}  // namespace orvane
