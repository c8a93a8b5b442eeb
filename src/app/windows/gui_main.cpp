#include "app/windows/gui_main.h"

#include <QApplication>
#include <QMessageBox>

#include "app/fonts.h"
#include "app/single_instance_guard.h"
#include "app/windows/main_window.h"
#include "templates/catalogue.h"

namespace orvane {

int runGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane自动套版电子相册"));
    installFontSubstitutions();

    SingleInstanceGuard guard;
    if (!guard.acquire()) return 0;

    ProjectModel model;
    const WorkingFolder folder(executableFolder(), model.settings.ext);
    NullProgress progress;
    const CatalogueReport report = buildCatalogue(model, folder, progress);
    folder.cleanAtStart();

    TForm1 window(model, folder);
    window.show();
    if (!report.refused.empty()) {
        QStringList lines;
        for (const RefusedTemplate& r : report.refused) lines << r.package + QStringLiteral(": ") + r.reason;
        QMessageBox::warning(&window, QStringLiteral("提示信息"), lines.join(u'\n'));
    }
    return app.exec();
}

}  // namespace orvane
