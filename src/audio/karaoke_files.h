#pragma once
// The karaoke table's files: adding KSC files with the default look, parsing
// the file of one karaoke row for the album, and which lyrics an album draws.
// Karaoke row k belongs to song k; there is no binding key. One thread at a
// time.

#include <QString>
#include <QStringList>
#include <vector>

#include "audio/ksc_parser.h"
#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

class ScriptConverter;

// Appends one KaraokeEntry per file: white text swept in blue, "黑体" 25,
// bold, simplified characters. The files are not opened.
void addKaraokeFiles(ProjectModel& model, const QStringList& paths);

// Deletes the karaoke rows `rows` (0-based, any order, duplicates and rows
// outside the table ignored) and numbers the rest 1 … n.
void removeKaraokeRows(ProjectModel& model, std::vector<int> rows);

// One row of the song / karaoke pairing the album uses: position k pairs song
// k with karaoke row k; a side is empty when its table is shorter.
struct KaraokeMatch {
    QString song;     // the song's fileName, or ""
    QString karaoke;  // the karaoke entry's name, or ""
};
std::vector<KaraokeMatch> karaokeMatches(const ProjectModel& model);

// Parses the file of karaoke row `row` (0-based) with that row's size (scaled
// to `areaWidth`) and script; fails with a message naming the file.
Result<KscDocument> parseKaraokeRow(const ProjectModel& model, int row, ScriptConverter& converter,
                                    int areaWidth = 1920);

// Which lyrics an album draws: with karaoke rows, the lyric kind decides
// ("shiyong_lrc", "shiyong_ksc", "shiyong_lrcksc"); without, LRC lyrics only.
bool albumDrawsLrc(const ProjectModel& model);
bool albumDrawsKaraoke(const ProjectModel& model);
// The lyric kind is asked for before an album when there are songs and
// karaoke rows.
bool albumAsksLyricKind(const ProjectModel& model);

}  // namespace orvane
