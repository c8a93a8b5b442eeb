#include "gui/main/save_name.h"

#include <QDir>

#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/shell/message_window.h"
#include "gui/shell/question_window.h"

namespace orvane {

namespace {

enum ReplaceAnswer { Replace = 0 };  // any other answer goes back to the dialog

}  // namespace

QString askSaveName(WindowSet& windows, const QString& title, const QString& filter,
                    const ReplaceCheck& wouldReplace) {
    for (;;) {
        const QString chosen = windows.fileChooser().saveFile(&windows.mainWindow(), title, filter);
        if (chosen.isEmpty()) return {};
        const Result<QString> replaced = wouldReplace(chosen);
        if (!replaced) {
            windows.messageWindow().showError(replaced.error());
            return {};
        }
        if (replaced->isEmpty()) return chosen;
        const QString question =
            QStringLiteral("文件已存在，是否替换？\n%1").arg(QDir::toNativeSeparators(*replaced));
        if (windows.replaceQuestion().ask(question) == Replace) return chosen;
    }
}

}  // namespace orvane
