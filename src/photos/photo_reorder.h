#pragma once
// Reordering the photos, as the drag-and-drop of the photo pane asks for it.
// The rows move with all their fields; each thumbnail file follows its photo;
// then the staged template folders are renumbered 1, 2, … in the order in
// which the photos now use them (photos that shared a folder keep sharing
// it, and each folder's movie takes the folder's new number) and every row
// ends with thumbnailState "jiancai_yes". Called on the thread that owns the
// model.
//
// A missing thumbnail or template folder is passed over. When a file or a
// folder is already under a name the renumbering needs (so that moving would
// overwrite or displace it), the result is an error and nothing has changed.

#include <cstddef>

#include "base/error.h"
#include "base/project_model.h"
#include "base/row_order.h"
#include "base/working_folder.h"

namespace orvane {

// Puts the photo rows in `order` (order[j] = old position of the row now at j).
Result<void> reorderPhotos(ProjectModel& model, const WorkingFolder& folder, const RowOrder& order);

// A thumbnail dropped onto another: rows a and b change places. With a == b
// (a release without an exchange) only the renumbering runs.
Result<void> exchangePhotos(ProjectModel& model, const WorkingFolder& folder, std::size_t a,
                            std::size_t b);

// The photo at `from` goes to position `to`, the photos between move by one.
Result<void> movePhoto(ProjectModel& model, const WorkingFolder& folder, std::size_t from,
                       std::size_t to);

}  // namespace orvane
