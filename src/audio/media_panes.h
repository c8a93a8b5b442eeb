#pragma once
// The music and lyric list panes as data for the windows. The rows are a
// projection of the MusicTable and the LyricTable, except the bound column:
// it holds the partner's name or an unbound marker, and which marker an
// operation writes depends on the operation, so the column is kept here and
// written by the import, removal and binding operations.

#include <QString>
#include <QStringList>

#include "base/project_model.h"

namespace orvane {

inline const QString kUnboundLyricMarker = QStringLiteral("未绑定歌词");
inline const QString kUnboundMusicMarker = QStringLiteral("未绑定音乐");

struct MediaPanes {
    QStringList musicBound;  // bound-lyric column, one per MusicTable row
    QStringList lyricBound;  // bound-music column, one per LyricTable row
};

// Writes a bound column cell, growing the column when the row is new.
void setPaneCell(QStringList& column, int row, const QString& text);

// The bound columns as the bindings of `model` say, for a project that was
// opened rather than built by imports: the partner's name, or the marker.
MediaPanes mediaPanesFor(const ProjectModel& model);

// caption, fileName, fileType, duration, location, bound column
QStringList musicPaneRow(const MusicEntry& song, const QString& bound);
// caption, fileName, fileType, location, bound column, colorName, fontSize,
// fontName, style text, horizontal text, vertical text
QStringList lyricPaneRow(const LyricEntry& lyric, const QString& bound);

// The lines of the hover hint over a song: name, type in upper case,
// duration, "未绑定歌词" or "已绑定歌词", the bound lyric's name or "无", row
// number. Over a lyric: name, type, "未绑定音乐" or "已绑定音乐", the bound
// song's name or "无", row number.
QStringList musicHintTexts(const MusicEntry& song, int row);
QStringList lyricHintTexts(const LyricEntry& lyric, int row);

// "[粗体]", "[斜体]", "[下划线]" for the styles that are on, in that order.
QString lyricStyleText(const LyricEntry& lyric);
// "歌词左边" / "歌词居中" / "歌词右边"; "歌词在上面" / "歌词在中间" / "歌词在下面".
QString lyricHAlignText(LyricHAlign hAlign);
QString lyricVAlignText(LyricVAlign vAlign);

}  // namespace orvane
