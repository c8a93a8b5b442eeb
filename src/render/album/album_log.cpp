#include "render/album/album_log.h"

namespace orvane {

AlbumLog::AlbumLog(std::function<void(const QString&)> onLine) : m_onLine(std::move(onLine)) {}

QString englishLogText(const AlbumLogLine& line) { return line.english; }

void AlbumLog::add(const QString& line) {
    if (static_cast<int>(m_lines.size()) > kMaxLines - 1) m_lines.pop_front();
    m_lines.push_back(line);
    if (m_onLine) m_onLine(line);
}

void AlbumLog::clear() { m_lines.clear(); }

QStringList AlbumLog::lines() const { return QStringList(m_lines.begin(), m_lines.end()); }

}  // namespace orvane
