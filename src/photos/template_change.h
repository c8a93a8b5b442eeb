#pragma once
// Giving one photo another single-photo template of its orientation. A photo
// alone in its template instance keeps the instance number: the folder gets
// the new movie unpacked and the photo staged into the new slot. A photo
// that shares a multi-photo instance is refused (taking it out would change
// the other photos' template too). Works on a copy of the model and keeps a
// snapshot of the folders it changes, so a failure leaves the project and
// its working folder as they were. Any one thread, like a session operation.

#include <vector>

#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"

namespace orvane {

// The templates photo row `row` may take: single-photo templates of its
// orientation, in catalogue order. Empty for a row out of range.
std::vector<TemplateEntry> templateChoices(const ProjectModel& model, std::size_t row);

// True when the photo of `row` is the only photo of its template instance.
bool photoHasOwnTemplate(const ProjectModel& model, std::size_t row);

// Gives photo row `row` the template whose package is `templateLocation`
// (one of templateChoices()), unpacks and stages it. A hand-placed crop is
// dropped when the slot size changes.
Result<void> changePhotoTemplate(ProjectModel& model, const WorkingFolder& folder, std::size_t row,
                                 const QString& templateLocation, Progress& progress);

}  // namespace orvane
