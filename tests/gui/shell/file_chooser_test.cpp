// The platform's open dialog with the photo filter: every JPEG name shows in
// any letter case, and nothing else.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>
#include <QTimer>

#include "gui/media/media_commands.h"
#include "gui/shell/dialog_file_chooser.h"
#include "support/test_support.h"

namespace orvane {
namespace {

TEST(FileChooser, ThePhotoDialogShowsEveryJpegNameInAnyCase) {
    EXPECT_EQ(dialogNameFilter(MediaCommands::photoFilter()),
              QStringLiteral("添加相片文件(JPG) (*.jpg *.jpeg *.jpe *.jfif "
                             "*.JPG *.JPEG *.JPE *.JFIF)"));
    testing::TempDir dir;
    const QStringList shown = {"a.jpg", "B.JPEG", "c.Jfif", "d.jpe", "E.JPG", "f.jPg"};
    for (const QString& name : shown + QStringList{"g.png", "h.txt", "i.jpg.bak", "jpg"})
        testing::writeFile(dir.path() / toPath(name), "x");

    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        const QModelIndex folder = model->index(toQString(dir.path()));
        // The folder is read on the model's own thread.
        QTest::qWaitFor([&] { return model->rowCount(folder) >= shown.size(); }, 5000);
        QTest::qWait(200);
        for (int r = 0; r < model->rowCount(folder); ++r) {
            const QModelIndex row = model->index(r, 0, folder);
            if (model->flags(row) & Qt::ItemIsEnabled) listed << row.data().toString();
        }
        dialog->reject();
    });
    DialogFileChooser chooser;
    EXPECT_TRUE(chooser
                    .openFiles(nullptr, QStringLiteral("添加相片"), MediaCommands::photoFilter(),
                               toQString(dir.path() / "a.jpg"))
                    .isEmpty());
    listed.sort(Qt::CaseInsensitive);
    EXPECT_EQ(listed, shown);
}

}  // namespace
}  // namespace orvane
