#pragma once
// The LRC parser: one lyric file becomes the LRC time table, the list of
// (time text, line) pairs the previews and the album pick the shown line
// from. The table is not sorted: its first row is ("00:00", ""), then the
// timed rows in file order (within one line from the rightmost tag to the
// leftmost), then the ID rows ("ti", "ar", "al", "by").
//
// Pure functions over values; any thread.

#include <QString>
#include <QStringList>
#include <vector>

#include "base/error.h"

namespace orvane {

struct LrcRow {
    QString time;  // the tag's text as written ("01:05.40"), or an ID name
    QString text;
    bool operator==(const LrcRow&) const = default;
};

// The parser's working tables; each parse replaces them all.
struct LrcTables {
    QStringList lines;         // lines not ending in "]"
    std::vector<LrcRow> tags;  // one row per tag: tag text, lyric text
    QStringList tagOnly;       // lines ending in "]", then the moved ID tags
    std::vector<LrcRow> timeTable;
};

LrcTables parseLrc(const QStringList& lines);
// Reads and parses a file; fails with a message naming it when it cannot be read.
Result<LrcTables> parseLrcFile(const QString& path);

// The first row whose time text begins with `clock` ("MM:SS"), compared
// without regard to case; nullptr when none does.
const LrcRow* lookupLrcLine(const std::vector<LrcRow>& timeTable, const QString& clock);

}  // namespace orvane
