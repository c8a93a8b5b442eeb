#pragma once
// Session: the one way into a project. It owns the ProjectModel, the
// WorkingFolder and the lock on that folder, builds the template catalogue
// when it opens and cleans the working folder at start and at exit. The
// windows and every command-line subcommand that touches the working folder
// go through it; nothing else opens, cleans or locks the folder.
//
// Changes are committed in one step: an operation works on a copy of the
// model (apply(), or a JobRunner job started with startJob()) and the copy
// replaces the model only when the operation succeeded, so a failure or a
// stop leaves the project as it was. Every commit tells the listeners which
// parts of the project changed (tableChanged) and raises their revisions.
//
// Lives on one thread (the GUI thread, or the CLI's main thread); jobs run on
// a worker with their own copy and are committed back on this thread.

#include <QObject>
#include <array>
#include <functional>
#include <memory>

#include "base/error.h"
#include "base/progress.h"
#include "base/project_changes.h"
#include "base/project_model.h"
#include "base/working_folder.h"
#include "session/working_folder_lock.h"
#include "templates/catalogue.h"

namespace orvane {

class JobRunner;

struct SessionOptions {
    // The folder that holds smxcwjj (the executable's folder for the windows).
    fs::path root;
    // What this run is, named to a run that finds the folder in use.
    QString holder = QStringLiteral("Orvane");
    // Working files (thumbnails, staged templates, previews) are removed at
    // start and at exit. A listing of the templates leaves them alone; a run
    // that leaves its results for a look keeps them at exit.
    bool cleanAtStart = true;
    bool cleanAtExit = true;
};

class Session : public QObject {
    Q_OBJECT

   public:
    // Locks the working folder, builds the catalogue and cleans, in that
    // order. Fails, changing nothing, when the folder does not exist or is
    // in use by another run; a stop during the catalogue build releases the
    // lock again.
    static Result<std::unique_ptr<Session>> open(const SessionOptions& options, Progress& progress);
    ~Session() override;

    const ProjectModel& model() const { return m_model; }
    const WorkingFolder& folder() const { return m_folder; }
    const CatalogueReport& catalogueReport() const { return m_catalogue; }

    // An operation on the project: it changes the model it is given (a copy)
    // and the working folder, and undoes its own file changes when it fails.
    using Operation = std::function<Result<void>(ProjectModel& model, const WorkingFolder& folder,
                                                 Progress& progress)>;

    // Runs `operation` on a copy of the model on this thread and commits the
    // copy when it succeeds.
    Result<void> apply(const Operation& operation, Progress& progress);
    // Starts `operation` on a copy of the model on the runner's worker
    // thread; when it succeeds the copy is committed on this thread before
    // the runner's finished signal reaches anyone else. False when the
    // runner is busy.
    bool startJob(JobRunner& runner, Operation operation);

    // Replaces the model in one step and signals what changed.
    void commit(ProjectModel next);
    // Counts the commits that changed `table`.
    quint64 revision(ProjectTable table) const {
        return m_revisions[static_cast<std::size_t>(table)];
    }

    // Cleans at exit (unless told not to) and releases the lock; the
    // destructor does it for a session not closed.
    void close();

   Q_SIGNALS:
    void tableChanged(orvane::ProjectTable table);

   private:
    Session(const SessionOptions& options, std::unique_ptr<WorkingFolderLock> lock);

    SessionOptions m_options;
    ProjectModel m_model;
    WorkingFolder m_folder;
    std::unique_ptr<WorkingFolderLock> m_lock;
    CatalogueReport m_catalogue;
    std::array<quint64, kProjectTableCount> m_revisions{};
};

}  // namespace orvane
