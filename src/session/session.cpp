#include "session/session.h"

#include "session/job_runner.h"

namespace orvane {

Session::Session(const SessionOptions& options, std::unique_ptr<WorkingFolderLock> lock)
    : m_options(options), m_folder(options.root, m_model.settings.ext), m_lock(std::move(lock)) {}

Session::~Session() { close(); }

Result<std::unique_ptr<Session>> Session::open(const SessionOptions& options, Progress& progress) {
    const WorkingFolder folder(options.root);
    if (!fs::is_directory(folder.base())) {
        const QString base = toQString(folder.base());
        return fail(problemError(Problem::WorkingFolderMissing,
                                 QStringLiteral("There is no working folder at %1.").arg(base),
                                 base));
    }
    auto lock = WorkingFolderLock::acquire(folder, options.holder);
    if (!lock) return std::unexpected(lock.error());

    std::unique_ptr<Session> session(new Session(options, std::move(*lock)));
    ProjectModel built = session->m_model;
    auto catalogue = buildCatalogue(built, session->m_folder, progress);
    // The parameter files are read; nothing else uses them.
    session->m_folder.removeTree(session->m_folder.parameterUnpackFolder());
    if (!catalogue) {
        session->m_options.cleanAtExit = false;  // nothing of this run to clean
        return std::unexpected(catalogue.error());
    }
    session->m_model = std::move(built);
    session->m_catalogue = std::move(*catalogue);
    if (options.cleanAtStart) session->m_folder.cleanAtStart();
    return session;
}

void Session::close() {
    if (!m_lock) return;
    if (m_options.cleanAtExit) m_folder.cleanAtExit();
    m_lock.reset();
}

Result<void> Session::apply(const Operation& operation, Progress& progress) {
    ProjectModel copy = m_model;
    if (auto done = operation(copy, m_folder, progress); !done) return done;
    commit(std::move(copy));
    return {};
}

bool Session::startJob(JobRunner& runner, Operation operation) {
    auto copy = std::make_shared<ProjectModel>(m_model);
    return runner.start([copy, operation = std::move(operation), folder = m_folder](
                            Progress& progress) { return operation(*copy, folder, progress); },
                        [this, copy](const JobOutcome& outcome) {
                            if (outcome.succeeded()) commit(std::move(*copy));
                        });
}

void Session::commit(ProjectModel next) {
    const std::vector<ProjectTable> changed = changedTables(m_model, next);
    m_model = std::move(next);
    for (ProjectTable table : changed) ++m_revisions[static_cast<std::size_t>(table)];
    for (ProjectTable table : changed) emit tableChanged(table);
}

}  // namespace orvane
