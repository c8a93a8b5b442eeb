#include "audio/karaoke_files.h"

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

Result<KscDocument> parseKaraokeRow(const ProjectModel& model, int row, ScriptConverter& converter,
                                    int areaWidth) {
    const KaraokeEntry& entry = model.karaoke.at(static_cast<std::size_t>(row));
    return parseKscFile(entry.location, {karaokeFontSize(entry, areaWidth), entry.script},
                        converter);
}

bool albumDrawsLrc(const ProjectModel& model) {
    const QString& kind = model.settings.lyricKind;
    return model.karaoke.empty() || kind == QLatin1String("shiyong_lrc") ||
           kind == QLatin1String("shiyong_lrcksc");
}

bool albumDrawsKaraoke(const ProjectModel& model) {
    const QString& kind = model.settings.lyricKind;
    return !model.karaoke.empty() &&
           (kind == QLatin1String("shiyong_ksc") || kind == QLatin1String("shiyong_lrcksc"));
}

bool albumAsksLyricKind(const ProjectModel& model) {
    return !model.music.empty() && !model.karaoke.empty();
}

}  // namespace orvane
