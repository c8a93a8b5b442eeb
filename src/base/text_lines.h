#pragma once
// Reading a lyric file as lines of text, whatever its encoding (UTF-8 with or
// without a byte-order mark, UTF-16 with one, or GBK). Lines end at CR LF, LF
// or CR; a last line without an end is kept, an empty piece after the last
// end is not a line.

#include <QString>
#include <QStringList>

#include "base/error.h"

namespace orvane {

QStringList splitTextLines(const QString& text);

// Fails with a message naming the file when it cannot be read.
Result<QStringList> readTextLines(const QString& path);

}  // namespace orvane
