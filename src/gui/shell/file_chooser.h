#pragma once
// FileChooser: how the windows ask the user for files to open, a file to
// save to, or a new folder. The program uses the platform's file dialogs
// (dialog_file_chooser.h); tests hand in their own answers, since a modal file
// dialog cannot be answered offscreen. An empty answer means cancelled.
// GUI thread.

#include <QString>
#include <QStringList>

class QWidget;

namespace orvane {

class FileChooser {
   public:
    virtual ~FileChooser() = default;

    // Several existing files; `filter` as "添加相片文件(JPG)|*.jpg;" (a
    // caption, a bar, patterns separated by ';'). `proposed` is put in as
    // the file name when it is not empty.
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& proposed = {}) = 0;
    // One existing file.
    QString openFile(QWidget* parent, const QString& title, const QString& filter);
    // The name to save under, as typed (the caller appends its extension
    // and asks before replacing a file of the final name).
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter) = 0;
};

// "添加相片文件(JPG)|*.jpg;" → "添加相片文件(JPG) (*.jpg)", the form Qt's
// dialogs take.
QString dialogNameFilter(const QString& filter);

}  // namespace orvane
