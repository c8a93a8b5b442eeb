#pragma once
// Photo thumbnails: tp_slt_1_<n> + ext7 (a Windows bitmap) belongs to row n
// of the photo table. The photo fitted into the thumbnail box (the cell size
// less 30 pixels each way) on a white canvas with a 4-pixel border.

#include <QImage>
#include <QSize>

#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"

namespace orvane {

inline constexpr int kThumbnailBorder = 4;

// The size of the photo inside its thumbnail (the border not counted): the
// box fitted to the photo's upright proportions, truncating.
QSize thumbnailPictureSize(const PhotoEntry& photo, const AlbumSettings& settings);

// Writes thumbnail n from the photo rendered at thumbnailPictureSize.
Result<void> saveThumbnail(const QImage& picture, int n, const WorkingFolder& folder);

// Writes the thumbnail of `photo` as number `n`.
Result<void> writeThumbnail(const PhotoEntry& photo, int n, const AlbumSettings& settings,
                            const WorkingFolder& folder);

// Writes thumbnail n of a photo cropped by hand: its staged slot picture (the
// part of the photo the album shows) fitted into the thumbnail box, so the
// pane shows what the crop kept.
Result<void> writeCroppedThumbnail(const PhotoEntry& photo, int n, const AlbumSettings& settings,
                                   const WorkingFolder& folder);

// Writes the thumbnail of every row whose thumbnailState is "jiancai_no" and
// marks it "jiancai_yes". Advances `progress` once per such row.
Result<void> makeThumbnails(ProjectModel& model, const WorkingFolder& folder, Progress& progress);

// Deletes thumbnail n (if it exists) and moves thumbnails n+1..count one
// number down, so that numbers keep following the rows when row n goes.
void removeThumbnail(const WorkingFolder& folder, int n, int count);

}  // namespace orvane
