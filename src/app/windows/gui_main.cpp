#include "app/windows/gui_main.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>

#include "app/fonts.h"
#include "app/session/session.h"
#include "app/single_instance_guard.h"
#include "app/windows/main_window.h"
#include "app/windows/window_set.h"
#include "gui/message_window.h"

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

}  // namespace

int startWindows(const WindowsOptions& options) {
    SingleInstanceGuard guard(options.instanceLockPath);
    if (!guard.acquire()) return 0;

    SessionOptions sessionOptions;
    sessionOptions.root = options.root.empty() ? executableFolder() : options.root;
    sessionOptions.holder = QStringLiteral("the Orvane windows");
    NullProgress progress;
    auto session = Session::open(sessionOptions, progress);
    if (!session) {
        QMessageBox::warning(nullptr, QStringLiteral("提示信息"), session.error().message);
        return 1;
    }

    WindowSet windows(**session);
    TForm1& main = windows.mainWindow();
    QObject::connect(&main, &TForm1::closed, qApp, &QApplication::quit, Qt::QueuedConnection);
    TerminationWatch termination(main);
    main.show();

    const auto& refused = (*session)->catalogueReport().refused;
    if (!refused.empty()) {
        QStringList lines;
        for (const RefusedTemplate& r : refused)
            lines << r.package + QStringLiteral(": ") + r.reason;
        QTimer::singleShot(0, &main, [&windows, text = lines.join(u'\n')] {
            windows.messageWindow().showMessage(text);
        });
    }
    return QApplication::exec();
}

int runGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane自动套版电子相册"));
    installFontSubstitutions();
    WindowsOptions options;
    const QStringList arguments = QApplication::arguments();
    const qsizetype root = arguments.indexOf(QStringLiteral("--root"));
    if (root >= 0 && root + 1 < arguments.size()) options.root = arguments[root + 1].toStdString();
    return startWindows(options);
}

}  // namespace orvane
