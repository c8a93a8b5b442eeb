#include "photo_removal.h"

#include <algorithm>

#include "base/folder_snapshot.h"
#include "photos/auto_fit.h"
#include "photos/photo_import.h"
#include "photos/slot_fit.h"
#include "photos/staging.h"
#include "photos/thumbnails.h"

namespace orvane {
namespace {

bool sharesTemplate(const ProjectModel& model, std::size_t row) {
    const PhotoEntry& photo = model.photos.at(row);
    if (photo.templatePhotoCount == QStringLiteral("1")) return false;
    for (std::size_t r = 0; r < model.photos.size(); ++r)
        if (r != row && model.photos.at(r).templateFolder == photo.templateFolder) return true;
    return false;
}

void dropRow(ProjectModel& model, const WorkingFolder& folder, std::size_t row) {
    removeThumbnail(folder, static_cast<int>(row) + 1, model.photos.count());
    model.photos.removeAt(row);
}

// Stages `source` into the slot of `target`: a slot with a size takes the
// usual fit; a full-screen slot takes the whole photo within 1920 × 1080.
Result<void> stageIntoSlot(const PhotoEntry& target, const PhotoEntry& source,
                           const WorkingFolder& folder) {
    const int w = fieldToInt(source.width, "width");
    const int h = fieldToInt(source.height, "height");
    const int sw = fieldToInt(target.requiredWidth, "requiredWidth");
    const int sh = fieldToInt(target.requiredHeight, "requiredHeight");
    const SlotFit fit = sw != 0 && sh != 0 ? fitPhotoToSlot(w, h, sw, sh, LandscapeCrop::FullScreen,
                                                            PortraitCrop::ZoomedPart)
                                           : fitPhotoWhole(w, h);
    return stagePicture(source.location, fit, QRect(0, 0, fit.canvasWidth, fit.canvasHeight),
                        fieldToInt(target.templateFolder, "templateFolder"), target.imageName,
                        folder);
}

void checkRow(const ProjectModel& model, std::size_t row) {
    if (row >= model.photos.size())
        throw OrvaneError(QStringLiteral("there is no photo %1 to remove").arg(row + 1));
}

const QString kPhase = QStringLiteral("删除相片");

std::unexpected<UserError> removalStopped() { return stopped(QStringLiteral("the photo removal")); }

// Template folders (renumbered on every path) and photo thumbnails.
std::vector<KeptFolder> removalFolders(const WorkingFolder& folder) {
    return {{folder.instancesFolder()}, {folder.thumbnailFolder(1)}};
}

}  // namespace

RemovalOutcome removePhoto(ProjectModel& model, const WorkingFolder& folder, std::size_t row) {
    checkRow(model, row);
    if (sharesTemplate(model, row)) return RemovalOutcome::NeedsSupplement;
    const int instance = fieldToInt(model.photos.at(row).templateFolder, "templateFolder");
    folder.removeTree(folder.instanceFolder(instance));
    dropRow(model, folder, row);
    model.templateInstanceCount =
        QString::number(fieldToInt(model.templateInstanceCount, "templateInstanceCount") - 1);
    renumberTemplateFolders(model, folder);
    return RemovalOutcome::Removed;
}

void removeAllPhotos(ProjectModel& model, const WorkingFolder& folder) {
    model.templateInstanceCount = QStringLiteral("0");
    model.photos.clear();
    model.photoDragScratch.clear();
    model.photoWorking.clear();
    model.landscapePool.clear();
    model.landscapePoolSingle.clear();
    model.portraitPool.clear();
    model.portraitPoolSingle.clear();
    folder.recreateFolder(folder.thumbnailFolder(1));
    folder.recreateFolder(folder.instancesFolder());
}

Result<RemovalReport> removePhotos(ProjectModel& model, const WorkingFolder& folder,
                                   std::vector<std::size_t> rows, Progress& progress) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (std::size_t row : rows) checkRow(model, row);
    FolderSnapshot snapshot(folder, removalFolders(folder));
    progress.start(static_cast<int>(rows.size()), kPhase);
    std::vector<std::size_t> kept;  // numbered as before the removal
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (progress.isCancelled()) return removalStopped();
        if (removePhoto(model, folder, *row) == RemovalOutcome::NeedsSupplement)
            kept.push_back(*row);
        progress.advance();
    }
    // Each kept row moves up by the removed rows before it.
    RemovalReport report;
    for (auto row = kept.rbegin(); row != kept.rend(); ++row) {
        const auto removedBefore = std::count_if(rows.begin(), rows.end(), [&](std::size_t r) {
            return r < *row && std::find(kept.begin(), kept.end(), r) == kept.end();
        });
        report.needSupplement.push_back(*row - static_cast<std::size_t>(removedBefore));
    }
    snapshot.keep();
    return report;
}

std::vector<std::size_t> supplementCandidates(const ProjectModel& model, std::size_t row) {
    checkRow(model, row);
    std::vector<std::size_t> out;
    const QString& orientation = model.photos.at(row).orientation;
    for (std::size_t r = 0; r < model.photos.size(); ++r)
        if (r != row && model.photos.at(r).orientation == orientation) out.push_back(r);
    return out;
}

QString noSupplementCandidateMessage(const ProjectModel& model, std::size_t row,
                                     const QString& addButton) {
    checkRow(model, row);
    const QString kind = model.photos.at(row).orientation == kLandscape ? QStringLiteral("横照片")
                                                                        : QStringLiteral("竖照片");
    return QStringLiteral("已添加的相片中没有其它%1可以用来补充模板，请点[%2]添加一张新相片。")
        .arg(kind, addButton);
}

Result<void> supplementFromProject(ProjectModel& model, const WorkingFolder& folder,
                                   std::size_t row, std::size_t replacement, Progress& progress) {
    checkRow(model, row);
    checkRow(model, replacement);
    FolderSnapshot snapshot(folder, removalFolders(folder));
    progress.start(2, kPhase);
    if (progress.isCancelled()) return removalStopped();
    if (auto ok = stageIntoSlot(model.photos.at(row), model.photos.at(replacement), folder); !ok)
        return ok;
    progress.advance();
    if (progress.isCancelled()) return removalStopped();
    dropRow(model, folder, row);
    renumberTemplateFolders(model, folder);
    progress.advance();
    snapshot.keep();
    return {};
}

Result<void> supplementByRandomDraw(ProjectModel& model, const WorkingFolder& folder,
                                    std::size_t row, Progress& progress) {
    const auto candidates = supplementCandidates(model, row);
    if (candidates.empty())
        return fail(noSupplementCandidateMessage(model, row, QStringLiteral("手动为模板补充相片")));
    const auto pick =
        static_cast<std::size_t>(model.random.below(static_cast<int>(candidates.size())));
    return supplementFromProject(model, folder, row, candidates[pick], progress);
}

Result<void> supplementWithNewFile(ProjectModel& model, const WorkingFolder& folder,
                                   std::size_t row, const QString& file, Progress& progress) {
    checkRow(model, row);
    progress.start(3, kPhase);
    auto measured = measurePhoto(file);
    if (!measured) return std::unexpected(measured.error());
    const PhotoEntry& removed = model.photos.at(row);
    if (measured->orientation != removed.orientation)
        return fail(QStringLiteral("添加的新相片不是%1,请重新添加！")
                        .arg(measured->orientation == kLandscape ? QStringLiteral("竖照片")
                                                                 : QStringLiteral("横照片")));

    // The new photo takes over the removed photo's template slot, but not
    // its hand-placed crop. It is staged whole, and kept so, so that a
    // reopened project stages it the same way.
    PhotoEntry added = removed;
    added.location = measured->location;
    added.fileName = measured->fileName;
    added.fileType = measured->fileType;
    added.width = measured->width;
    added.height = measured->height;
    added.manualCrop.reset();
    added.stagedCrop = kWholePhotoCrop;
    progress.advance();
    FolderSnapshot snapshot(folder, removalFolders(folder));
    const int n = model.photos.count() + 1;
    if (progress.isCancelled()) return removalStopped();
    if (auto ok = writeThumbnail(added, n, model.settings, folder); !ok) return ok;
    progress.advance();
    if (progress.isCancelled()) return removalStopped();
    if (auto ok = stageIntoSlot(removed, added, folder); !ok) return ok;
    progress.advance();
    if (progress.isCancelled()) return removalStopped();
    model.photos.append(std::move(added));
    dropRow(model, folder, row);
    renumberTemplateFolders(model, folder);
    snapshot.keep();
    return {};
}

}  // namespace orvane
