#include "audio/media_panes.h"

namespace orvane {

void setPaneCell(QStringList& column, int row, const QString& text) {
    while (column.size() <= row) column << QString();
    column[row] = text;
}

MediaPanes mediaPanesFor(const ProjectModel& model) {
    MediaPanes panes;
    for (const MusicEntry& song : model.music)
        panes.musicBound << (song.boundLyric == kNone ? kUnboundLyricMarker : song.boundLyricName);
    for (const LyricEntry& lyric : model.lyrics)
        panes.lyricBound << (lyric.boundMusic == kNone ? kUnboundMusicMarker
                                                       : lyric.boundMusicName);
    return panes;
}

QStringList musicPaneRow(const MusicEntry& song, const QString& bound) {
    return {song.index, song.fileName, song.fileType, song.duration, song.location, bound};
}

QStringList lyricPaneRow(const LyricEntry& lyric, const QString& bound) {
    return {lyric.index,
            lyric.fileName,
            lyric.fileType,
            lyric.location,
            bound,
            lyric.colorName,
            QString::number(lyric.fontSize),
            lyric.fontName,
            lyricStyleText(lyric),
            lyricHAlignText(lyric.hAlign),
            lyricVAlignText(lyric.vAlign)};
}

QStringList musicHintTexts(const MusicEntry& song, int row) {
    const bool unbound = song.boundLyric == kNone;
    return {song.fileName,
            song.fileType.toUpper(),
            song.duration,
            unbound ? QStringLiteral("未绑定歌词") : QStringLiteral("已绑定歌词"),
            song.boundLyricName == kNone ? QStringLiteral("无") : song.boundLyricName,
            QString::number(row + 1)};
}

QStringList lyricHintTexts(const LyricEntry& lyric, int row) {
    const bool unbound = lyric.boundMusic == kNone;
    return {lyric.fileName, lyric.fileType.toUpper(),
            unbound ? QStringLiteral("未绑定音乐") : QStringLiteral("已绑定音乐"),
            lyric.boundMusicName == kNone ? QStringLiteral("无") : lyric.boundMusicName,
            QString::number(row + 1)};
}

QString lyricStyleText(const LyricEntry& lyric) {
    QString text;
    if (lyric.bold) text += QStringLiteral("[粗体]");
    if (lyric.italic) text += QStringLiteral("[斜体]");
    if (lyric.underline) text += QStringLiteral("[下划线]");
    return text;
}

QString lyricHAlignText(LyricHAlign hAlign) {
    switch (hAlign) {
        case LyricHAlign::Left:
            return QStringLiteral("歌词左边");
        case LyricHAlign::Centre:
            return QStringLiteral("歌词居中");
        case LyricHAlign::Right:
            return QStringLiteral("歌词右边");
        case LyricHAlign::Unset:
            break;
    }
    return QString();
}

QString lyricVAlignText(LyricVAlign vAlign) {
    switch (vAlign) {
        case LyricVAlign::Top:
            return QStringLiteral("歌词在上面");
        case LyricVAlign::Middle:
            return QStringLiteral("歌词在中间");
        case LyricVAlign::Bottom:
            return QStringLiteral("歌词在下面");
        case LyricVAlign::Unset:
            break;
    }
    return QString();
}

}  // namespace orvane
