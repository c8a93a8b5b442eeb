#pragma once
// The platform's file dialogs, the FileChooser of the program. GUI thread.

#include "gui/shell/file_chooser.h"

namespace orvane {

// The platform's dialogs.
class DialogFileChooser : public FileChooser {
   public:
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter,
                          const QString& proposed = {}) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter) override;
};

}  // namespace orvane
