#pragma once
// Reads INI text the way the platform's profile reader does: section and key
// names match case-insensitively, the first match wins, blanks around names
// and values are dropped, a value in matching quotes loses them, a missing
// key reads as "", and a value is cut at 2047 characters.

#include <QByteArray>
#include <QString>
#include <vector>

namespace orvane {

inline constexpr int kMaxIniValueLength = 2047;

class IniFile {
   public:
    // Decodes the bytes (UTF-8 with or without BOM, UTF-16 with BOM, GBK).
    static IniFile fromBytes(const QByteArray& bytes);

    QString value(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;

   private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    std::vector<Entry> m_entries;
    std::vector<QString> m_sections;
};

}  // namespace orvane
