#include "templates/ini_file.h"

#include <QList>

#include "base/text_decoding.h"

namespace orvane {

IniFile IniFile::fromBytes(const QByteArray& bytes) {
    IniFile ini;
    QString section;
    bool inSection = false;
    const QString text = decodeText(bytes);
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toString();
            inSection = true;
            ini.m_sections.push_back(section);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq < 0) continue;
        QString value = line.mid(eq + 1).trimmed().toString();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        ini.m_entries.push_back(
            {section, line.left(eq).trimmed().toString(), value.left(kMaxIniValueLength)});
    }
    return ini;
}

QString IniFile::value(const QString& section, const QString& key) const {
    for (const Entry& e : m_entries)
        if (e.section.compare(section, Qt::CaseInsensitive) == 0 &&
            e.key.compare(key, Qt::CaseInsensitive) == 0)
            return e.value;
    return {};
}

bool IniFile::hasSection(const QString& section) const {
    for (const QString& s : m_sections)
        if (s.compare(section, Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace orvane
