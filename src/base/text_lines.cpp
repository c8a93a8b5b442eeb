#include "base/text_lines.h"

#include <QFile>

#include "base/text_decoding.h"

namespace orvane {

QStringList splitTextLines(const QString& text) {
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << current;
            current.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.isEmpty()) lines << current;
    return lines;
}

Result<QStringList> readTextLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("无法读取歌词文件 %1：%2").arg(path, file.errorString()));
    return splitTextLines(decodeText(file.readAll()));
}

}  // namespace orvane
