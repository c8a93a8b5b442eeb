#include "gui/shell/refused_files_text.h"

#include <QDir>

namespace orvane {

QString refusedFileText(const RefusedFile& refused) {
    const QString file = QDir::toNativeSeparators(refused.file);
    switch (refused.reason) {
        case RefusalReason::Missing:
            return QStringLiteral("%1 不存在").arg(file);
        case RefusalReason::NotMedia:
            return QStringLiteral("%1 不是相片、音乐或歌词文件").arg(file);
        case RefusalReason::UnreadablePhoto:
            return QStringLiteral("%1 不是可读的 JPEG 相片").arg(file);
        case RefusalReason::UnreadableSong:
            return QStringLiteral("%1 不是可读的 MP3 音乐").arg(file);
    }
    return file;
}

QStringList refusedFileLines(const QList<RefusedFile>& refused) {
    QStringList lines;
    for (const RefusedFile& r : refused) lines << refusedFileText(r);
    return lines;
}

}  // namespace orvane
