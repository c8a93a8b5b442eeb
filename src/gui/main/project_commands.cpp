#include "gui/main/project_commands.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

#include "audio/media_panes.h"
#include "gui/main/main_window.h"
#include "gui/main/save_name.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/exit_window.h"
#include "gui/shell/message_window.h"
#include "gui/shell/processing_window.h"
#include "gui/shell/question_window.h"
#include "session/job_runner.h"
#include "session/project_document.h"
#include "session/project_open.h"

namespace orvane {

namespace {

const QString kProjectFilter = QStringLiteral("Orvane 工程文件|*.orvane");

enum SaveAnswer { Save = 0, DoNotSave = 1 };  // any other answer cancels

}  // namespace

ProjectCommands::ProjectCommands(Session& session, WindowSet& windows, ProjectDocument& document,
                                 QuestionWindow& saveQuestion, QObject* parent)
    : QObject(parent),
      m_session(session),
      m_windows(windows),
      m_document(document),
      m_saveQuestion(saveQuestion) {
    MainWindow& main = windows.mainWindow();
    connect(main.commands().action(CommandId::OpenProject), &QAction::triggered, this,
            [this] { openProject(); });
    connect(main.commands().action(CommandId::SaveProject), &QAction::triggered, this,
            [this] { saveProject(); });
    connect(&document, &ProjectDocument::stateChanged, this, &ProjectCommands::refreshTitle);
    main.setExitConfirmation([this] { return confirmExit(); });
    refreshTitle();
}

bool ProjectCommands::openProject() {
    if (!offerToSave()) return false;
    const QString path = m_windows.fileChooser().openFile(
        &m_windows.mainWindow(), QStringLiteral("打开工程"), kProjectFilter);
    if (path.isEmpty()) return false;

    // The job stages every photo again: it runs under the processing window
    // and can be stopped, which leaves the project as it was.
    auto report = std::make_shared<ProjectOpenReport>();
    JobRunner runner;
    const bool started =
        m_session.startJob(runner,
                           [path, report](ProjectModel& model, const WorkingFolder& folder,
                                          Progress& progress) -> Result<void> {
                               auto opened = orvane::openProject(model, folder, path, progress);
                               if (!opened) return std::unexpected(opened.error());
                               *report = std::move(*opened);
                               return {};
                           });
    if (!started) return false;
    const JobOutcome outcome = m_windows.processingWindow().showWhile(runner);
    if (!outcome.succeeded()) {
        if (!outcome.result.error().isStop())
            m_windows.messageWindow().showError(outcome.result.error());
        return false;
    }
    m_document.markOpened(path);
    MediaBrowser& browser = m_windows.browser();
    browser.mediaPanes() = mediaPanesFor(m_session.model());
    browser.refreshAll();
    if (!report->messages.isEmpty())
        m_windows.messageWindow().showMessage(report->messages.join(QLatin1Char('\n')));
    return true;
}

bool ProjectCommands::saveProject() {
    Result<void> saved;
    if (!m_document.path().isEmpty()) {
        saved = m_document.save();
    } else {
        const QString chosen = askSaveName(
            m_windows, QStringLiteral("保存工程"), kProjectFilter,
            [](const QString& name) -> Result<QString> {
                // The check is on the name saved under, the extension added.
                const QFileInfo file(QFileInfo(withProjectExtension(name)).absoluteFilePath());
                if (file.isDir())
                    return fail(QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
                return file.exists() || file.isSymLink() ? file.absoluteFilePath() : QString();
            });
        if (chosen.isEmpty()) return false;
        saved = m_document.saveAs(chosen);
    }
    if (!saved) m_windows.messageWindow().showError(saved.error());
    return saved.has_value();
}

bool ProjectCommands::confirmExit() {
    if (m_document.hasUnsavedWork()) return offerToSave();
    return m_windows.exitWindow().confirmExit();
}

bool ProjectCommands::offerToSave() {
    if (!m_document.hasUnsavedWork()) return true;
    const QString name = m_document.path().isEmpty() ? QStringLiteral("新工程")
                                                     : QFileInfo(m_document.path()).fileName();
    switch (m_saveQuestion.ask(QStringLiteral("工程“%1”已修改，是否保存？").arg(name))) {
        case Save:
            return saveProject();
        case DoNotSave:
            return true;
        default:
            return false;
    }
}

void ProjectCommands::refreshTitle() {
    m_windows.mainWindow().setTitle(m_document.windowTitle(MainWindow::programTitle()));
}

}  // namespace orvane
