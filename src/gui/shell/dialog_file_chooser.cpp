#include "gui/shell/dialog_file_chooser.h"

#include <QFileDialog>

namespace orvane {

QStringList DialogFileChooser::openFiles(QWidget* parent, const QString& title,
                                         const QString& filter, const QString& proposed) {
    QFileDialog dialog(parent, title, {}, dialogNameFilter(filter));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

QString DialogFileChooser::saveFile(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, {}, dialogNameFilter(filter));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The caller appends the extension itself, whatever was typed, so the
    // dialog cannot tell which file would be replaced: the caller asks on
    // the final name (askSaveName).
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace orvane
