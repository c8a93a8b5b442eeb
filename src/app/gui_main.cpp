#include "app/gui_main.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>

#include "base/fonts.h"
#include "base/single_instance_guard.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/message_window.h"
#include "gui/shell/problem_text.h"
#include "gui/shell/processing_window.h"
#include "gui/shell/refused_files_text.h"
#include "gui/shell/skin.h"
#include "session/job_runner.h"
#include "session/media_files.h"
#include "session/session.h"

namespace orvane {

namespace {

int g_terminationPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_terminationPipe[0], &byte, 1);
}

// SIGTERM and SIGINT end the windows the way the exit command does (without
// asking), so the working folder is cleaned and the lock released.
class TerminationWatch {
   public:
    explicit TerminationWatch(QWidget& mainWindow) {
        if (g_terminationPipe[0] < 0 &&
            ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_terminationPipe) != 0)
            return;
        m_notifier = std::make_unique<QSocketNotifier>(g_terminationPipe[1], QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, &mainWindow, [&mainWindow] {
            char byte;
            [[maybe_unused]] const auto got = ::read(g_terminationPipe[1], &byte, 1);
            mainWindow.close();
        });
        struct sigaction action {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &action, &m_oldTerm);
        ::sigaction(SIGINT, &action, &m_oldInt);
    }
    ~TerminationWatch() {
        if (!m_notifier) return;
        ::sigaction(SIGTERM, &m_oldTerm, nullptr);
        ::sigaction(SIGINT, &m_oldInt, nullptr);
    }

   private:
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_oldTerm {};
    struct sigaction m_oldInt {};
};

// Adds the files the program was started with, as a job under the processing
// window; what was left out, or why nothing was added, goes to the message
// window.
void addStartFiles(Session& session, WindowSet& windows, const QStringList& files) {
    MediaBrowser& browser = windows.browser();
    auto panes = std::make_shared<MediaPanes>(browser.mediaPanes());
    auto report = std::make_shared<MediaFilesReport>();
    JobRunner runner;
    session.startJob(runner,
                     [panes, report, files](ProjectModel& model, const WorkingFolder& folder,
                                            Progress& progress) -> Result<void> {
                         auto added = addMediaFiles(model, folder, *panes, files, progress);
                         if (!added) return std::unexpected(added.error());
                         *report = std::move(*added);
                         return {};
                     });
    const JobOutcome outcome = windows.processingWindow().showWhile(runner);
    if (outcome.succeeded()) {
        browser.mediaPanes() = *panes;
        browser.refreshAll();
        // Every file left out is named.
        const QStringList lines = refusedFileLines(report->refused) + report->notices;
        if (!lines.isEmpty()) windows.messageWindow().showMessage(lines.join(u'\n'));
    } else if (!outcome.result.error().isStop()) {
        windows.messageWindow().showMessage(outcome.result.error().message);
    }
}

}  // namespace

int startWindows(const WindowsOptions& options) {
    SingleInstanceGuard guard(options.instanceLockPath);
    if (!guard.acquire()) return 0;

    SessionOptions sessionOptions;
    sessionOptions.root = options.root.empty() ? executableFolder() : options.root;
    sessionOptions.holder = QStringLiteral("orvane");  // the windows, as the user starts them
    NullProgress progress;
    auto session = Session::open(sessionOptions, progress);
    if (!session) {
        // The windows are not made without a session; the message window
        // stands alone for this one message.
        const Skin skin(qApp->devicePixelRatio());
        MessageWindow message(skin);
        message.showError(session.error());
        return 1;
    }

    WindowSet windows(**session);
    MainWindow& main = windows.mainWindow();
    QObject::connect(&main, &MainWindow::closed, qApp, &QApplication::quit, Qt::QueuedConnection);
    TerminationWatch termination(main);
    main.show();

    const auto& refused = (*session)->catalogueReport().refused;
    if (!refused.empty())
        QTimer::singleShot(0, &main, [&windows, text = refusedTemplatesText(refused)] {
            windows.messageWindow().showMessage(text);
        });
    if (!options.files.isEmpty())
        QTimer::singleShot(0, &main, [&session = **session, &windows, files = options.files] {
            addStartFiles(session, windows, files);
        });
    return QApplication::exec();
}

int runGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane自动套版电子相册"));
    installFontSubstitutions();
    WindowsOptions options;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--root") && i + 1 < arguments.size())
            options.root = arguments[++i].toStdString();
        else
            options.files << QFileInfo(arguments[i]).absoluteFilePath();
    }
    return startWindows(options);
}

}  // namespace orvane
