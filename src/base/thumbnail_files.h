#pragma once
// Moving the thumbnail files of one kind (1 photos, 2 songs, 3 lyric files)
// to a new order of their rows, so that thumbnail n keeps belonging to row n.
// Called on the thread that owns the model.

#include "base/error.h"
#include "base/row_order.h"
#include "base/working_folder.h"

namespace orvane {

// Renames the thumbnails of `kind` so that each follows its row to the new
// order: every thumbnail first moves aside to <n>_tp_slt_<kind>_<n>, then to
// its row's new number, so no file is ever renamed over another. A missing
// thumbnail is passed over and its row stays without one.
//
// Fails, with every file left where it was, when an aside name is already
// taken or a thumbnail cannot be moved aside. A file that cannot take its
// final name after that (a failing disk) throws OrvaneError.
Result<void> reorderThumbnailFiles(const WorkingFolder& folder, int kind, const RowOrder& order);

}  // namespace orvane
