#include "new_photo_output.h"

#include <algorithm>
#include <deque>
#include <future>
#include <thread>

#include "photos/photo_render.h"
#include "photos/staging.h"
#include "photos/thumbnails.h"

namespace orvane {
namespace {

constexpr PhotoStep kNo = PhotoStep::Pending;
constexpr PhotoStep kYes = PhotoStep::Done;

// Each job holds two pictures of about the placement size.
constexpr unsigned kMaxWorkers = 4;

}  // namespace

Result<void> writeThumbnailAndSlotPicture(const PhotoEntry& photo, int n,
                                          const AlbumSettings& settings,
                                          const WorkingFolder& folder) {
    // A photo placed by hand shows its crop in the thumbnail too.
    if (manualCropFor(photo)) {
        if (auto ok = stagePhoto(photo, settings, folder); !ok) return ok;
        return writeCroppedThumbnail(photo, n, settings, folder);
    }
    const SlotFit fit = slotFitFor(photo, settings);
    auto placed = renderPhotoStretched(photo.location, QSize(fit.width, fit.height));
    if (!placed) return std::unexpected(placed.error());

    const QSize thumb = thumbnailPictureSize(photo, settings);
    auto ok =
        placed->width() >= thumb.width() && placed->height() >= thumb.height()
            ? saveThumbnail(placed->scaled(thumb, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                            n, folder)
            : writeThumbnail(photo, n, settings, folder);
    if (!ok) return ok;
    return saveSlotPicture(
        composeOnCanvas(*placed, fit), QRect(0, 0, fit.canvasWidth, fit.canvasHeight),
        fieldToInt(photo.templateFolder, "templateFolder"), photo.imageName, folder);
}

Result<void> thumbnailAndStageNewPhotos(ProjectModel& model, const WorkingFolder& folder,
                                        Progress& progress) {
    std::vector<std::size_t> rows;
    for (std::size_t r = 0; r < model.photos.size(); ++r)
        if (model.photos.at(r).thumbnailState == kNo && model.photos.at(r).cropState == kNo)
            rows.push_back(r);

    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
    std::deque<std::future<Result<void>>> running;  // jobs in row order
    std::size_t started = 0;
    Result<void> outcome;
    for (std::size_t finished = 0; finished < rows.size(); ++finished) {
        while (outcome && started < rows.size() && running.size() < workers) {
            const std::size_t r = rows[started++];
            running.push_back(std::async(std::launch::async, writeThumbnailAndSlotPicture,
                                         model.photos.at(r), static_cast<int>(r) + 1,
                                         model.settings, folder));
        }
        if (running.empty()) break;
        Result<void> ok = running.front().get();  // rethrows a job's exception
        running.pop_front();
        if (!outcome) continue;  // after a failure: let the running jobs end
        if (!ok) {
            outcome = ok;
            continue;
        }
        PhotoEntry& photo = model.photos.at(rows[finished]);
        progress.advance();
        photo.thumbnailState = kYes;
        progress.advance();
        markStaged(photo, model.settings);
        if (progress.isCancelled()) outcome = stopped(QStringLiteral("the photo import"));
    }
    if (!outcome) return outcome;
    if (auto ok = makeThumbnails(model, folder, progress); !ok) return ok;
    return stageNewPhotos(model, folder, progress);
}

}  // namespace orvane
