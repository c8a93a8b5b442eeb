#include "gui/album/album_make_command.h"

#include <QAction>
#include <QDir>

#include "gui/album/lyric_kind_window.h"
#include "gui/album/make_album_window.h"
#include "gui/album/output_size_window.h"
#include "gui/main/main_window.h"
#include "gui/main/save_name.h"
#include "gui/main/window_set.h"
#include "gui/shell/message_window.h"
#include "gui/shell/problem_text.h"
#include "gui/shell/question_window.h"
#include "render/album/make_choices.h"
#include "session/session.h"

namespace orvane {

namespace {

enum LeftOutAnswer { Ok = 0, ViewLog = 1 };

// The end of a make: complete, or made without some parts, named, with the
// log one button away for as long as the user wants it.
void reportMade(WindowSet& windows, const AlbumReport& report, const MakeOutput& output) {
    if (report.leftOut.empty()) {
        windows.messageWindow().showMessage(
            QStringLiteral("相册制作完成！\n%1").arg(QDir::toNativeSeparators(output.path)));
        return;
    }
    const QString text = leftOutText(report.leftOut);
    while (windows.leftOutWindow().ask(text) == ViewLog) windows.makeAlbumWindow().showLog();
}

}  // namespace

void runMakeCommand(Session& session, WindowSet& windows, OutputType outputType) {
    MessageWindow& message = windows.messageWindow();
    if (session.model().photos.empty()) {
        message.showMessage(QStringLiteral("没有添加相片文件！"));
        return;
    }
    if (!windows.outputSizeWindow().askBeforeMaking(outputType)) return;
    const AlbumSettings& settings = session.model().settings;
    const QString chosen =
        askSaveName(windows, QStringLiteral("保存相册"), saveDialogFilter(settings),
                    [&settings](const QString& name) -> Result<QString> {
                        auto output = makeOutputFor(settings, name);
                        if (!output) return std::unexpected(output.error());
                        return output->replaces ? output->path : QString();
                    });
    if (chosen.isEmpty()) return;
    const auto output = makeOutputFor(settings, chosen);
    if (!output) {
        message.showError(output.error());
        return;
    }
    if (asksLyricKind(session.model()) && !windows.lyricKindWindow().askLyricKind()) return;

    const auto made = windows.makeAlbumWindow().makeAlbumTo(*output);
    if (!made) {
        if (!made.error().isStop()) message.showError(made.error());
        return;
    }
    reportMade(windows, *made, *output);
}

std::optional<OutputType> makeCommandOutputType(CommandId id) {
    switch (id) {
        case CommandId::MakeVcd:
            return OutputType::Vcd;
        case CommandId::MakeSvcd:
            return OutputType::Svcd;
        case CommandId::MakeDvd:
            return OutputType::Dvd;
        case CommandId::MakeAvi:
            return OutputType::Avi;
        case CommandId::MakeMp4:
            return OutputType::Mp4;
        case CommandId::MakePictureSequence:
            return OutputType::PictureSequence;
        default:
            return std::nullopt;
    }
}

void connectMakeCommands(Session& session, WindowSet& windows) {
    for (const CommandInfo& info : commandTable()) {
        const std::optional<OutputType> type = makeCommandOutputType(info.id);
        if (!type) continue;
        QObject::connect(windows.commands().action(info.id), &QAction::triggered,
                         &windows.mainWindow(),
                         [&session, &windows, type] { runMakeCommand(session, windows, *type); });
    }
}

}  // namespace orvane
