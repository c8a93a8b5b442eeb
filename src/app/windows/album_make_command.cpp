#include "app/windows/album_make_command.h"

#include <QDir>

#include "app/session/session.h"
#include "app/windows/lyric_kind_window.h"
#include "app/windows/main_window.h"
#include "app/windows/make_album_window.h"
#include "app/windows/output_size_window.h"
#include "app/windows/window_set.h"
#include "gui/message_window.h"
#include "render/album/make_choices.h"

namespace orvane {

void runMakeCommand(Session& session, WindowSet& windows, const QString& outputType) {
    TForm8& message = windows.messageWindow();
    if (session.model().photos.empty()) {
        message.showMessage(QStringLiteral("没有添加相片文件！"));
        return;
    }
    if (!windows.outputSizeWindow().askBeforeMaking(outputType)) return;
    const AlbumSettings& settings = session.model().settings;
    const QString chosen = windows.fileChooser().saveFile(
        &windows.mainWindow(), QStringLiteral("保存相册"), saveDialogFilter(settings));
    if (chosen.isEmpty()) return;
    const auto output = makeOutputFor(settings, chosen);
    if (!output) {
        message.showMessage(output.error().message);
        return;
    }
    if (asksLyricKind(session.model()) && !windows.lyricKindWindow().askLyricKind()) return;

    const auto made = windows.makeAlbumWindow().makeAlbumTo(*output);
    if (!made) {
        if (!made.error().isStop()) message.showMessage(made.error().message);
        return;
    }
    message.showMessage(
        QStringLiteral("相册制作完成！\n%1").arg(QDir::toNativeSeparators(output->path)));
}

}  // namespace orvane
