#include "app/windows/gui_main.h"

#include <QApplication>
#include <QMessageBox>

#include "app/fonts.h"
#include "app/session/session.h"
#include "app/single_instance_guard.h"
#include "app/windows/main_window.h"

namespace orvane {

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

    TForm1 window(**session);
    window.show();
    const auto& refused = (*session)->catalogueReport().refused;
    if (!refused.empty()) {
        QStringList lines;
        for (const RefusedTemplate& r : refused)
            lines << r.package + QStringLiteral(": ") + r.reason;
        QMessageBox::warning(&window, QStringLiteral("提示信息"), lines.join(u'\n'));
    }
    return QApplication::exec();
}

int runGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane自动套版电子相册"));
    installFontSubstitutions();
    return startWindows({});
}

}  // namespace orvane
