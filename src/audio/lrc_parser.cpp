#include "audio/lrc_parser.h"

#include <array>

#include "base/text_lines.h"

namespace orvane {
namespace {

// Splits one line into its tags, right to left. Positions are 1-based
// character positions; the line is cut back to the start of each tag found
// so that the text of a tag runs from its "]" to the end of what is left.
void splitLine(QString line, std::vector<LrcRow>& tags) {
    QList<int> opens;
    QList<int> closes;
    QString previousText;
    const auto at = [&line](int p) { return line[p - 1]; };
    for (int p = static_cast<int>(line.size()) - 1; p >= 1; --p) {
        if (at(p) == QLatin1Char(']')) {
            closes.append(p);
        } else if (at(p) == QLatin1Char('[')) {
            opens.append(p);
            const int n = static_cast<int>(opens.size()) - 1;
            if (n >= closes.size()) {
                // A "[" with no "]" after it is part of the text, not a tag.
                opens.removeLast();
                continue;
            }
            const int j = opens[n];
            const int h = closes[n];
            const QString tag = line.mid(j, h - j - 1);
            QString text;
            if (n > 0 && closes.last() + 1 == opens[n - 1])
                text = previousText;  // adjacent tags share the text
            else
                text = line.mid(h);
            tags.push_back({tag, text});
            previousText = text;
            line.truncate(j - 1);
        }
    }
}

bool isIdName(const QString& name) {
    return name == QLatin1String("ti") || name == QLatin1String("ar") ||
           name == QLatin1String("al") || name == QLatin1String("by");
}

}  // namespace

LrcTables parseLrc(const QStringList& fileLines) {
    LrcTables t;
    for (const QString& line : fileLines) {
        if (line.endsWith(QLatin1Char(']')))
            t.tagOnly << line;
        else
            t.lines << line;
    }
    for (const QString& line : t.lines)
        if (!line.isEmpty()) splitLine(line, t.tags);

    // ID tags that carried text move to the end of the tag-only list.
    for (const char* id : {"ti", "ar", "al", "by"}) {
        const QString name = QString::fromLatin1(id);
        std::erase_if(t.tags, [&](const LrcRow& row) {
            if (!row.time.startsWith(name)) return false;
            t.tagOnly << QLatin1Char('[') + row.time + QLatin1Char(']');
            return true;
        });
    }
    for (const QString& entry : t.tagOnly) {
        const QString name = entry.mid(1, 2);
        if (isIdName(name))
            t.tags.push_back({name, entry.mid(4, std::max<qsizetype>(0, entry.size() - 5))});
    }

    t.timeTable.reserve(t.tags.size() + 1);
    t.timeTable.push_back({QStringLiteral("00:00"), QString()});
    t.timeTable.insert(t.timeTable.end(), t.tags.begin(), t.tags.end());
    return t;
}

Result<LrcTables> parseLrcFile(const QString& path) {
    auto lines = readTextLines(path);
    if (!lines) return std::unexpected(lines.error());
    return parseLrc(*lines);
}

const LrcRow* lookupLrcLine(const std::vector<LrcRow>& timeTable, const QString& clock) {
    for (const LrcRow& row : timeTable)
        if (row.time.startsWith(clock, Qt::CaseInsensitive)) return &row;
    return nullptr;
}

}  // namespace orvane
