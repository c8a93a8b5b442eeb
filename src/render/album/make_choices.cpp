#include "render/album/make_choices.h"

#include <QFileInfo>

#include "render/album/album_build.h"
#include "render/mcl/image_sequence_folder.h"

namespace orvane {

namespace {

const QString kNameTaken = QStringLiteral("输入的文件名存在, 请更换保存的文件名！");

}  // namespace

QString saveDialogFilter(const AlbumSettings& settings) {
    if (settings.outputType == OutputType::PictureSequence) {
        const QString& format = settings.imageSequenceFormat;
        return QStringLiteral("生成 %1 序列图片|*.%1").arg(format);
    }
    return QStringLiteral("%1 格式相册|*%2")
        .arg(outputTypeCaption(settings.outputType), albumExtension(settings.outputType));
}

Result<MakeOutput> makeOutputFor(const AlbumSettings& settings, const QString& chosen) {
    const QFileInfo info(chosen);
    if (settings.outputType == OutputType::PictureSequence) {
        const bool taken = info.exists() || info.isSymLink();
        if (taken && !isReplaceableSequenceFolder(info.absoluteFilePath())) return fail(kNameTaken);
        return MakeOutput{info.absoluteFilePath(), info.fileName(), taken};
    }
    // The check is on the final name, the extension appended.
    const QFileInfo output(info.absoluteFilePath() + albumExtension(settings.outputType));
    if (output.isDir()) return fail(kNameTaken);
    return MakeOutput{output.absoluteFilePath(), info.fileName(),
                      output.exists() || output.isSymLink()};
}

bool asksLyricKind(const ProjectModel& model) {
    return !model.music.empty() && !model.karaoke.empty();
}

}  // namespace orvane
