#pragma once
// The media files the program takes: photos, songs, LRC lyrics and KSC
// karaoke lyrics, and how a file is known to be one. Each file format is one
// row of a table (media_file_kind.cpp): its kind, its extensions and, where
// the format has one, its content signature. A file whose content shows a
// signature is of that kind whatever its name (a JPEG named ".png" or with no
// extension is a photo); otherwise its extension, in any letter case,
// decides. Adding a format is one row of that table. Any thread.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace orvane {

enum class MediaFileKind { Photo, Song, Lyric, Karaoke };

// The kind the first bytes of a file show, if any.
std::optional<MediaFileKind> mediaKindByContent(QByteArrayView head);
// The kind the extension of `fileName` names (any letter case), if any.
std::optional<MediaFileKind> mediaKindByName(const QString& fileName);
// The content decides first, then the name.
std::optional<MediaFileKind> mediaKindOf(const QString& fileName, QByteArrayView head);
// The same for the file at `path`, reading its first bytes; a file that
// cannot be read is judged by its name.
std::optional<MediaFileKind> mediaKindOfFile(const QString& path);

// A file dialog filter for `kind`: `caption`, a bar, then "*.ext;" for each
// extension of the kind in lower case (the usual one first) and then in upper
// case, as in "添加相片文件(JPG)|*.jpg;*.jpeg;…;*.JPG;*.JPEG;…;".
QString mediaDialogFilter(const QString& caption, MediaFileKind kind);

// The name a media file is listed under: its file name without the folder
// and without the extension ("月亮.mp3" → "月亮", "photo.jpeg" → "photo",
// "photo" → "photo"); and the extension with its dot, letter case as in the
// name (".JPEG"), or empty.
QString mediaBaseName(const QString& path);
QString mediaExtension(const QString& path);

}  // namespace orvane
