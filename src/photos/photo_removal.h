#pragma once
// Removing photos without breaking the staged templates. A photo alone in
// its template takes the template folder with it; a photo that shares a
// multi-photo template leaves a slot that must be supplemented with another
// photo: one drawn at random from the project, one chosen from the project,
// or a new file of the same orientation. Thumbnails keep following the rows
// on every path.
//
// The removals and supplements run as jobs with the phase "删除相片": they
// ask for a stop between their steps and, stopped or failing, put the
// template folders and thumbnails back as they were (the model is a copy
// the session throws away). Called on the thread that runs the job.

#include <QString>
#include <vector>

#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"

namespace orvane {

enum class RemovalOutcome {
    Removed,         // the photo and its template folder are gone
    NeedsSupplement  // others share its template: nothing changed, supplement it
};

// Removes photo row `row` (0-based) when it is alone in its template. One
// short step: no snapshot, no stop.
RemovalOutcome removePhoto(ProjectModel& model, const WorkingFolder& folder, std::size_t row);

struct RemovalReport {
    // Rows that share their template and stayed, to be supplemented one by
    // one; numbered as in the model after the removal, in ascending order.
    std::vector<std::size_t> needSupplement;
};

// The "删除" command on the selected rows (0-based, any order): from the
// last row to the first, each row alone in its template is removed with it.
// Progress: one step per row.
Result<RemovalReport> removePhotos(ProjectModel& model, const WorkingFolder& folder,
                                   std::vector<std::size_t> rows, Progress& progress);

// Empties the photo side of the project; the next import starts at folder 1.
void removeAllPhotos(ProjectModel& model, const WorkingFolder& folder);

// Rows that may fill the slot of `row`: the other photos of its
// orientation. The photo itself never is one: it is the one going.
std::vector<std::size_t> supplementCandidates(const ProjectModel& model, std::size_t row);

// Said when no other photo of the removed photo's orientation is there to
// fill its slot; `addButton` is the caption of the command that adds a new
// photo instead.
QString noSupplementCandidateMessage(const ProjectModel& model, std::size_t row,
                                     const QString& addButton);

// The supplement kinds (Edit_buchong_xuanxiang).
inline const QString kSupplementRandom = QStringLiteral("suiji_xuanze_xinxiangpian");
inline const QString kSupplementChosen = QStringLiteral("xuanze_xinxiangpian");
inline const QString kSupplementNewFile = QStringLiteral("tianjia_xinxiangpian");

// Stages the replacement into the slot of `row` and removes `row`. The
// replacement is the photo row `replacement` (random and chosen kinds).
Result<void> supplementFromProject(ProjectModel& model, const WorkingFolder& folder,
                                   std::size_t row, std::size_t replacement, Progress& progress);

// Draws the replacement among the candidates with the project's generator.
// Without candidates it fails with noSupplementCandidateMessage() and
// changes nothing.
Result<void> supplementByRandomDraw(ProjectModel& model, const WorkingFolder& folder,
                                    std::size_t row, Progress& progress);

// The replacement is a new file, which must have the orientation of the
// removed photo; it takes over the slot, gets a row and a thumbnail. The new
// row has no hand-placed crop: the removed photo's was made for another
// picture.
Result<void> supplementWithNewFile(ProjectModel& model, const WorkingFolder& folder,
                                   std::size_t row, const QString& file, Progress& progress);

}  // namespace orvane
