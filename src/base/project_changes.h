#pragma once
// Which parts of the project changed between two states of the model. The
// session compares the model before and after a commit and tells its
// listeners each part that changed, so that windows refresh on change
// instead of polling.

#include <QString>
#include <vector>

#include "base/project_model.h"

namespace orvane {

enum class ProjectTable {
    Photos,     // photos and their template instances
    Catalogue,  // the template catalogue and its classified tables
    Music,
    Lyrics,
    Karaoke,
    TextEffects,
    PictureEffects,
    Settings,
};

inline constexpr int kProjectTableCount = 8;

// The parts that differ between `before` and `after`, in the order above.
std::vector<ProjectTable> changedTables(const ProjectModel& before, const ProjectModel& after);

// A name for logs and tests ("photos", "music", …).
QString projectTableName(ProjectTable table);

}  // namespace orvane
