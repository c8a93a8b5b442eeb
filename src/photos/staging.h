#pragma once
// Template staging: every template instance n has a folder tp_wjj_<n> with
// the unpacked movie w_j_<n> and, for each slot, the photo fitted to the slot
// and saved as picture_<k> (baseline JPEG, quality 90). The picture names are
// the contract with the template movies. Also the ending movie, and the
// renumbering of instance folders after photos are removed.
//
// The full-size capture of a staged photo is kept in memory: nothing reads
// it but the JPEG encoder.

#include <QImage>

#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"
#include "photos/slot_fit.h"

namespace orvane {

// Unpacks the movie of every photo of the current batch (thumbnailState
// "jiancai_no") into its instance folder, after clearing the template
// working folders when the reset switch is "kai"; then unpacks the ending
// movie if it is missing. Advances `progress` once. Asks for a stop before
// every template; the caller keeps the folders (FolderSnapshot) and puts
// them back after a stop or a failure.
Result<void> unpackAssignedTemplates(ProjectModel& model, const WorkingFolder& folder,
                                     Progress& progress);

// The slot placement of a photo row: under the crop styles it was first
// staged with, or the settings' for a photo not staged yet.
SlotFit slotFitFor(const PhotoEntry& photo, const AlbumSettings& settings);

// Marks the row staged ("jiancai_yes") and, on its first staging, keeps the
// settings' crop styles with it.
void markStaged(PhotoEntry& photo, const AlbumSettings& settings);

// Paints the photo, rendered at the placement size, on the black canvas.
QImage composeOnCanvas(const QImage& placed, const SlotFit& fit);

// Saves `kept` of the canvas as the slot picture (`instance`, `imageName`).
Result<void> saveSlotPicture(const QImage& canvas, const QRect& kept, int instance,
                             const QString& imageName, const WorkingFolder& folder);

// The hand-placed crop of a photo row, while its slot still has the size
// it was made for (after a change to a template with another slot the photo
// is fitted as usual); nullptr when there is none.
const ManualCropInput* manualCropFor(const PhotoEntry& photo);

// Stages one photo row into its instance folder under its imageName: as
// placed by hand when manualCropFor() says so, else fitted to the slot.
Result<void> stagePhoto(const PhotoEntry& photo, const AlbumSettings& settings,
                        const WorkingFolder& folder);

// Stages the photo at `photoPath` with the given placement into the slot
// (`instance`, `imageName`) and keeps only `kept` of the canvas.
Result<void> stagePicture(const QString& photoPath, const SlotFit& fit, const QRect& kept,
                          int instance, const QString& imageName, const WorkingFolder& folder);

// Stages the photo of row `photo` as the user placed it under the crop
// frame: the frame mapped onto the slot's canvas, the kept part saved.
Result<void> stageManualCrop(const PhotoEntry& photo, const ManualCropInput& crop,
                             const WorkingFolder& folder);

// Stages every row whose cropState is "jiancai_no" and marks it
// "jiancai_yes". Advances `progress` once per staged row and asks for a stop
// before each; the caller puts the files back after a stop or a failure.
Result<void> stageNewPhotos(ProjectModel& model, const WorkingFolder& folder, Progress& progress);

// Renames the instance folders to 1..m in order of their first photo,
// each movie taking its folder's number, and rewrites templateFolder.
// Does not change templateInstanceCount.
void renumberTemplateFolders(ProjectModel& model, const WorkingFolder& folder);

// Slot number k of an imageName "picture_<k>".
int slotNumber(const QString& imageName);

}  // namespace orvane
