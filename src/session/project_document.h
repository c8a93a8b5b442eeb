#pragma once
// ProjectDocument: the project file the windows work on. It knows the file
// (none until the first save or open) and whether the project changed since
// it was last saved or opened: every commit of the session that changes
// what a project file holds (anything but the template catalogue) marks it
// changed; saving and opening clear the mark. It gives the main window its
// title and the exit command its question. Lives with the session, on the
// session's thread.

#include <QObject>
#include <QString>

#include "base/error.h"
#include "base/project_changes.h"

namespace orvane {

class Session;

class ProjectDocument : public QObject {
    Q_OBJECT
   public:
    explicit ProjectDocument(Session& session, QObject* parent = nullptr);

    // The project file, absolute; empty before the first save or open.
    const QString& path() const { return m_path; }
    bool isModified() const { return m_modified; }
    // Whether ending now would lose work: changed since the last save or
    // open, and either saved before or not empty.
    bool hasUnsavedWork() const;

    // "album.orvane - <program>", with "*" after the name while changed;
    // "新工程" stands for a project never saved.
    QString windowTitle(const QString& programTitle) const;

    // Saves the project to `path` (".orvane" appended when it has another
    // or no extension) and makes it the document's file.
    Result<void> saveAs(const QString& path);
    // Saves to the document's file; it must have one.
    Result<void> save();
    // The open operation committed the project of `path`.
    void markOpened(const QString& path);

   Q_SIGNALS:
    // The file or the changed mark changed.
    void stateChanged();

   private:
    void onTableChanged(ProjectTable table);
    void setState(const QString& path, bool modified);

    Session& m_session;
    QString m_path;
    bool m_modified = false;
};

// `path` with the project extension (".orvane") when it lacks it.
QString withProjectExtension(const QString& path);

}  // namespace orvane
