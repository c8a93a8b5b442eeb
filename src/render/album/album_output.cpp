#include "render/album/album_output.h"

#include <unistd.h>

#include <QFileInfo>

namespace orvane {

namespace {

Result<void> checkOutputFolder(const QString& output) {
    const std::filesystem::path path = toPath(output);
    const std::filesystem::path parent =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    const QString name = toQString(parent);
    if (!std::filesystem::is_directory(parent, ec))
        return fail(problemError(Problem::OutputFolderMissing,
                                 QStringLiteral("The output folder %1 does not exist.").arg(name),
                                 name));
    if (::access(parent.c_str(), W_OK | X_OK) != 0)
        return fail(problemError(
            Problem::OutputFolderReadOnly,
            QStringLiteral("The output folder %1 cannot be written.").arg(name), name));
    return {};
}

}  // namespace

AlbumOutput::AlbumOutput(const WorkingFolder& folder, QString path,
                         std::optional<QString> sequenceFormat, bool replaceExisting)
    : m_folder(folder), m_path(std::move(path)), m_encoderPath(m_path) {
    if (sequenceFormat) m_sequence.emplace(m_path, *sequenceFormat, replaceExisting);
}

AlbumOutput::~AlbumOutput() {
    m_sequence.reset();  // its temporary folder goes while the note still names it
    if (m_noted) m_folder.forgetOutputInProgress();
}

Result<void> AlbumOutput::open() {
    if (m_sequence) {
        // Noted first: a run killed while the folder is created leaves it behind.
        m_folder.noteOutputInProgress(toPath(m_sequence->folder()));
        m_noted = true;
        if (auto created = m_sequence->create(); !created) return created;
        m_encoderPath = m_sequence->temporaryFirstPicture();
        return {};
    }
    if (auto writable = checkOutputFolder(m_path); !writable) return writable;
    m_folder.noteOutputInProgress(toPath(m_path));
    m_noted = true;
    m_fileThere = QFileInfo::exists(m_path);
    return {};
}

Result<QString> AlbumOutput::commit() {
    if (!m_sequence) return m_path;
    if (auto placed = m_sequence->commit(); !placed) return std::unexpected(placed.error());
    return m_sequence->firstPicture();
}

void AlbumOutput::discard() {
    if (m_sequence) m_sequence->remove();
}

bool AlbumOutput::replacedExisting() const {
    return m_sequence ? m_sequence->replacedExisting() : m_fileThere;
}

}  // namespace orvane
