#include "photos/photo_reorder.h"

#include "app/thumbnail_files.h"
#include "photos/staging.h"

namespace orvane {

Result<void> reorderPhotos(ProjectModel& model, const WorkingFolder& folder,
                           const RowOrder& order) {
    checkOrder(order, model.photos.size());
    // Files first: when they cannot follow, the table stays as it was too.
    if (auto ok = reorderThumbnailFiles(folder, 1, order); !ok) return ok;
    reorderRows(model.photos, order);
    renumberTemplateFolders(model, folder);
    return {};
}

Result<void> exchangePhotos(ProjectModel& model, const WorkingFolder& folder, std::size_t a,
                            std::size_t b) {
    return reorderPhotos(model, folder, exchangedOrder(model.photos.size(), a, b));
}

Result<void> movePhoto(ProjectModel& model, const WorkingFolder& folder, std::size_t from,
                       std::size_t to) {
    return reorderPhotos(model, folder, movedOrder(model.photos.size(), from, to));
}

}  // namespace orvane
