#pragma once
// The auto-fit matcher: every photo of the import batch takes a slot of a
// template of its orientation, drawn at random through the project's
// generator. Small batches get single-photo templates only; larger ones may
// get templates that show several photos of the batch at once. Every
// template use is a new template instance (templateInstanceCount).

#include <QString>
#include <vector>

#include "base/progress.h"
#include "base/project_model.h"

namespace orvane {

inline const QString kLandscape = QStringLiteral("heng_zhao");
inline const QString kPortrait = QStringLiteral("shu_zhao");

struct AutoFitReport {
    // One message per photo left out because no template of its kind exists.
    std::vector<QString> unplaced;
};

// Gives `photo` slot `slot` (1-based) of template `t` in the instance
// folder number `folder`; `marker` is the matcher's testImageName.
void assignTemplate(PhotoEntry& photo, const TemplateEntry& t, int slot, const QString& folder,
                    const QString& marker);

// Fills the four draw pools for a batch of `batchSize` photos.
void rebuildPools(ProjectModel& model, int batchSize);

// Assigns every row of the batch table (model.photoWorking) and appends the
// assigned rows, in batch order, to model.photos with both state fields
// "jiancai_no". Advances `progress` once per batch row.
AutoFitReport runAutoFit(ProjectModel& model, Progress& progress);

}  // namespace orvane
