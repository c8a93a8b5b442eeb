#include "session/project_document.h"

#include <QFileInfo>

#include "base/project_file.h"
#include "session/project_open.h"
#include "session/session.h"

namespace orvane {

namespace {

bool isEmptyProject(const ProjectModel& model) {
    return model.photos.empty() && model.music.empty() && model.lyrics.empty() &&
           model.karaoke.empty() && model.textEffects.empty() && model.pictureEffects.empty();
}

}  // namespace

QString withProjectExtension(const QString& path) {
    if (path.endsWith(kProjectExtension, Qt::CaseInsensitive)) return path;
    return path + kProjectExtension;
}

ProjectDocument::ProjectDocument(Session& session, QObject* parent)
    : QObject(parent), m_session(session) {
    connect(&session, &Session::tableChanged, this, &ProjectDocument::onTableChanged);
}

bool ProjectDocument::hasUnsavedWork() const {
    return m_modified && (!m_path.isEmpty() || !isEmptyProject(m_session.model()));
}

QString ProjectDocument::windowTitle(const QString& programTitle) const {
    const QString name = m_path.isEmpty() ? QStringLiteral("新工程") : QFileInfo(m_path).fileName();
    if (m_path.isEmpty() && !m_modified) return programTitle;
    return QStringLiteral("%1%2 - %3")
        .arg(name, m_modified ? QStringLiteral("*") : QString(), programTitle);
}

Result<void> ProjectDocument::saveAs(const QString& path) {
    const QString file = QFileInfo(withProjectExtension(path)).absoluteFilePath();
    if (auto ok = saveProject(m_session.model(), m_session.folder(), file); !ok) return ok;
    setState(file, false);
    return {};
}

Result<void> ProjectDocument::save() {
    if (m_path.isEmpty())
        return fail(QStringLiteral("the project has no file yet"), ErrorKind::Internal);
    return saveAs(m_path);
}

void ProjectDocument::markOpened(const QString& path) {
    setState(QFileInfo(path).absoluteFilePath(), false);
}

void ProjectDocument::onTableChanged(ProjectTable table) {
    if (table == ProjectTable::Catalogue || m_modified) return;
    setState(m_path, true);
}

void ProjectDocument::setState(const QString& path, bool modified) {
    if (path == m_path && modified == m_modified) return;
    m_path = path;
    m_modified = modified;
    emit stateChanged();
}

}  // namespace orvane
