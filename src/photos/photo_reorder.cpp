#include "photos/photo_reorder.h"

#include <set>

#include "base/thumbnail_files.h"
#include "photos/staging.h"

namespace orvane {
namespace {

// The folder renumbering moves each used folder n aside to n_tp_wjj_n and
// then to its new number 1..m. A folder already under one of those names
// would be renamed over or take the place of a used one, so it stops the
// reorder before anything moves.
Result<void> checkInstanceFolders(const ProjectModel& model, const WorkingFolder& folder) {
    std::set<int> used;
    for (const PhotoEntry& photo : model.photos)
        used.insert(fieldToInt(photo.templateFolder, "templateFolder"));
    std::error_code ec;
    const auto inTheWay = [](const fs::path& p) {
        return fail(QStringLiteral("cannot reorder the photos: %1 is in the way").arg(toQString(p)),
                    ErrorKind::Internal);
    };
    for (int n : used)
        if (fs::exists(folder.renumberingFolder(n), ec))
            return inTheWay(folder.renumberingFolder(n));
    for (int m = 1; m <= static_cast<int>(used.size()); ++m)
        if (!used.contains(m) && fs::exists(folder.instanceFolder(m), ec))
            return inTheWay(folder.instanceFolder(m));
    return {};
}

}  // namespace

Result<void> reorderPhotos(ProjectModel& model, const WorkingFolder& folder,
                           const RowOrder& order) {
    checkOrder(order, model.photos.size());
    if (auto ok = checkInstanceFolders(model, folder); !ok) return ok;
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
