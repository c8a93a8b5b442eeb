#pragma once
// Thumbnails of songs and lyric files for the icon pane: a 130 × 115 picture
// (artwork drawn here) with the file's name as a white caption at the
// bottom, left-aligned when the name is too wide for the picture, else
// centred. Saved as tp_slt_2_<n> (songs) or tp_slt_3_<n> (lyrics). Needs a
// QGuiApplication; one thread at a time.

#include <QImage>
#include <QString>

#include "base/working_folder.h"

namespace orvane {

enum class MediaKind { Song = 2, Lyric = 3 };

QImage paintMediaThumbnail(MediaKind kind, const QString& caption);
// Paints and saves thumbnail n (1-based); throws OrvaneError naming the file
// when it cannot be written.
void writeMediaThumbnail(const WorkingFolder& folder, MediaKind kind, int n,
                         const QString& caption);

// After row `removed` (0-based) of `count` rows is deleted: deletes its
// thumbnail and renames the later ones so that numbers follow the rows again.
// A missing file is passed over.
void renumberThumbnailsAfterRemoval(const WorkingFolder& folder, MediaKind kind, int removed,
                                    int count);

}  // namespace orvane
