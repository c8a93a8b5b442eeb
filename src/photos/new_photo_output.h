#pragma once
// The files a new photo gets in the import run: its thumbnail and its slot
// picture, both from one decode of the photo at its placement size when
// that also covers the thumbnail (decoding the entropy-coded data is most of
// the cost of either). Photos are done on a few worker threads; the model
// and the progress are touched only by the calling thread.

#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"

namespace orvane {

// Thumbnail n and the slot picture of one photo row. Any thread.
Result<void> writeThumbnailAndSlotPicture(const PhotoEntry& photo, int n,
                                          const AlbumSettings& settings,
                                          const WorkingFolder& folder);

// Every row with thumbnailState and cropState "jiancai_no": writes both
// files and marks both states "jiancai_yes", advancing `progress` once for
// the thumbnail and once for the slot picture, in row order. Rows lacking
// only one of the two go through makeThumbnails and stageNewPhotos.
Result<void> thumbnailAndStageNewPhotos(ProjectModel& model, const WorkingFolder& folder,
                                        Progress& progress);

}  // namespace orvane
