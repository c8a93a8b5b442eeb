#include "render/mcl/image_sequence_folder.h"

#include <QDir>
#include <QFileInfo>

namespace orvane {

bool isImageSequenceFormat(const QString& format) {
    static const QStringList formats{"JPG", "BMP", "TGA", "PCX"};
    return formats.contains(format.toUpper());
}

Result<QString> prepareImageSequenceFolder(const QString& folder, const QString& format) {
    if (!isImageSequenceFormat(format))
        return fail(QStringLiteral("%1 is not a picture format of a sequence (JPG, BMP, TGA, PCX).")
                        .arg(format));
    if (QFileInfo::exists(folder))
        return fail(QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("The folder %1 cannot be created.")
                        .arg(QDir::toNativeSeparators(folder)));
    return QDir(folder).filePath(QStringLiteral("01.") + format);
}

}  // namespace orvane
