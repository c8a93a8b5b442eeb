#include "audio/karaoke_files.h"

#include <algorithm>
#include <functional>

#include "audio/media_import.h"

namespace orvane {

void addKaraokeFiles(ProjectModel& model, const QStringList& paths) {
    for (const QString& path : paths) {
        KaraokeEntry entry;  // the defaults are the import values
        entry.name = mediaDisplayName(path);
        entry.location = path;
        model.karaoke.append(std::move(entry));
    }
}

void removeKaraokeRows(ProjectModel& model, std::vector<int> rows) {
    std::ranges::sort(rows, std::greater<>());
    const auto [first, last] = std::ranges::unique(rows);
    rows.erase(first, last);
    // From the last row to the first, so the rows still to go keep their numbers.
    for (int row : rows)
        if (row >= 0 && row < model.karaoke.count())
            model.karaoke.removeAt(static_cast<std::size_t>(row));
}

std::vector<KaraokeMatch> karaokeMatches(const ProjectModel& model) {
    const std::size_t n = std::max(model.music.size(), model.karaoke.size());
    std::vector<KaraokeMatch> out(n);
    for (std::size_t i = 0; i < model.music.size(); ++i) out[i].song = model.music.at(i).fileName;
    for (std::size_t i = 0; i < model.karaoke.size(); ++i)
        out[i].karaoke = model.karaoke.at(i).name;
    return out;
}

Result<KscDocument> parseKaraokeRow(const ProjectModel& model, int row, ScriptConverter& converter,
                                    int areaWidth) {
    const KaraokeEntry& entry = model.karaoke.at(static_cast<std::size_t>(row));
    return parseKscFile(entry.location,
                        {karaokeFontSize(entry, areaWidth), legacyText(entry.script)}, converter);
}

bool albumDrawsLrc(const ProjectModel& model) {
    const LyricKind kind = model.settings.lyricKind;
    return model.karaoke.empty() || kind == LyricKind::Lrc || kind == LyricKind::Both;
}

bool albumDrawsKaraoke(const ProjectModel& model) {
    const LyricKind kind = model.settings.lyricKind;
    return !model.karaoke.empty() && (kind == LyricKind::Karaoke || kind == LyricKind::Both);
}

bool albumAsksLyricKind(const ProjectModel& model) {
    return !model.music.empty() && !model.karaoke.empty();
}

}  // namespace orvane
