#pragma once
// How the windows tell the user which files were left out: one Chinese line
// per file, naming it and saying why.

#include <QList>
#include <QString>
#include <QStringList>

#include "base/refused_file.h"

namespace orvane {

// "<file> 不是可读的 JPEG 相片", "<file> 不是相片、音乐或歌词文件", …
QString refusedFileText(const RefusedFile& refused);
QStringList refusedFileLines(const QList<RefusedFile>& refused);

}  // namespace orvane
