#pragma once
// The make-album log: encoder progress lines, template failures and files
// the overlays left out. It keeps the last 32 000 lines: when it already
// holds more than 31 999, the oldest line is dropped before a new one is
// added. Every line is also handed to `onLine` (the window's list, the CLI's
// standard error). One thread at a time.

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

namespace orvane {

class AlbumLog {
   public:
    static constexpr int kMaxLines = 32000;

    explicit AlbumLog(std::function<void(const QString&)> onLine = {});

    void add(const QString& line);
    void clear();
    int size() const { return static_cast<int>(m_lines.size()); }
    QStringList lines() const;

   private:
    std::deque<QString> m_lines;
    std::function<void(const QString&)> m_onLine;
};

}  // namespace orvane
