#include "staging.h"

#include <QPainter>
#include <set>

#include "photos/jpeg_writer.h"
#include "photos/photo_render.h"
#include "templates/package.h"

namespace orvane {
namespace {

constexpr PhotoStep kNo = PhotoStep::Pending;
constexpr PhotoStep kYes = PhotoStep::Done;

int nextUnpack(ProjectModel& model) {
    const int c = fieldToInt(model.unpackCounter, "unpackCounter") + 1;
    model.unpackCounter = QString::number(c);
    return c;
}

}  // namespace

int slotNumber(const QString& imageName) {
    static const QString prefix = QStringLiteral("picture_");
    if (!imageName.startsWith(prefix))
        throw OrvaneError(QStringLiteral("\"%1\" is not a slot picture name").arg(imageName));
    return fieldToInt(imageName.mid(prefix.size()), "imageName");
}

Result<void> unpackAssignedTemplates(ProjectModel& model, const WorkingFolder& folder,
                                     Progress& progress) {
    if (model.stagingReset == QStringLiteral("kai")) {
        folder.recreateFolder(folder.instancesFolder());
        folder.recreateFolder(folder.transitionFolder());
        model.stagingReset = QStringLiteral("guan");
    }
    progress.advance();
    nextUnpack(model);
    folder.createFolder(folder.movieUnpackFolder());

    // The photos of one template share its folder; its movie is unpacked once.
    std::set<int> unpacked;
    for (const PhotoEntry& photo : model.photos) {
        const int c = nextUnpack(model);
        if (photo.thumbnailState != kNo) continue;
        const int n = fieldToInt(photo.templateFolder, "templateFolder");
        if (!unpacked.insert(n).second) continue;
        if (progress.isCancelled()) return stopped(QStringLiteral("the template staging"));
        folder.createFolder(folder.instanceFolder(n));
        auto ok = unpackPackage(
            toPath(photo.templatePath), [&](int m) { return folder.movieIntermediate(c, m); },
            folder.instanceMovie(n));
        if (!ok) return ok;
    }

    if (!fs::exists(folder.endingMovie())) {
        folder.createFolder(folder.endingFolder());
        auto ok = unpackPackage(
            folder.endingPackage(), [&](int m) { return folder.endingIntermediate(m); },
            folder.endingMovie());
        if (!ok) return ok;
    }
    return {};
}

SlotFit slotFitFor(const PhotoEntry& photo, const AlbumSettings& settings) {
    const CropStyles crop = photo.stagedCrop.value_or(cropStyles(settings));
    return fitPhotoToSlot(fieldToInt(photo.width, "width"), fieldToInt(photo.height, "height"),
                          fieldToInt(photo.requiredWidth, "requiredWidth"),
                          fieldToInt(photo.requiredHeight, "requiredHeight"), crop.landscape,
                          crop.portrait);
}

void markStaged(PhotoEntry& photo, const AlbumSettings& settings) {
    photo.cropState = kYes;
    if (!photo.stagedCrop) photo.stagedCrop = cropStyles(settings);
}

QImage composeOnCanvas(const QImage& placed, const SlotFit& fit) {
    QImage canvas(fit.canvasWidth, fit.canvasHeight, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    painter.drawImage(QPoint(fit.x, fit.y), placed);
    painter.end();
    return canvas;
}

Result<void> saveSlotPicture(const QImage& canvas, const QRect& kept, int instance,
                             const QString& imageName, const WorkingFolder& folder) {
    const QImage picture = kept == canvas.rect() ? canvas : canvas.copy(kept);
    return saveJpeg(picture, folder.instancePicture(instance, slotNumber(imageName)));
}

Result<void> stagePicture(const QString& photoPath, const SlotFit& fit, const QRect& kept,
                          int instance, const QString& imageName, const WorkingFolder& folder) {
    auto placed = renderPhotoStretched(photoPath, QSize(fit.width, fit.height));
    if (!placed) return std::unexpected(placed.error());
    return saveSlotPicture(composeOnCanvas(*placed, fit), kept, instance, imageName, folder);
}

const ManualCropInput* manualCropFor(const PhotoEntry& photo) {
    if (!photo.manualCrop) return nullptr;
    const ManualCropInput& crop = *photo.manualCrop;
    if (crop.slotWidth != photo.slotWidth.toInt() || crop.slotHeight != photo.slotHeight.toInt() ||
        crop.frameWidth <= 0 || crop.frameHeight <= 0)
        return nullptr;
    return &crop;
}

Result<void> stagePhoto(const PhotoEntry& photo, const AlbumSettings& settings,
                        const WorkingFolder& folder) {
    if (const ManualCropInput* crop = manualCropFor(photo))
        return stageManualCrop(photo, *crop, folder);
    const SlotFit fit = slotFitFor(photo, settings);
    return stagePicture(photo.location, fit, QRect(0, 0, fit.canvasWidth, fit.canvasHeight),
                        fieldToInt(photo.templateFolder, "templateFolder"), photo.imageName,
                        folder);
}

Result<void> stageManualCrop(const PhotoEntry& photo, const ManualCropInput& crop,
                             const WorkingFolder& folder) {
    const ManualCrop result = applyManualCrop(crop);
    return stagePicture(photo.location, result.fit, result.kept,
                        fieldToInt(photo.templateFolder, "templateFolder"), photo.imageName,
                        folder);
}

Result<void> stageNewPhotos(ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
    for (PhotoEntry& photo : model.photos) {
        if (photo.cropState != kNo) continue;
        if (progress.isCancelled()) return stopped(QStringLiteral("the template staging"));
        progress.advance();
        if (auto ok = stagePhoto(photo, model.settings, folder); !ok) return ok;
        markStaged(photo, model.settings);
    }
    return {};
}

void renumberTemplateFolders(ProjectModel& model, const WorkingFolder& folder) {
    std::error_code ignored;
    // First every folder n moves aside to n_tp_wjj_n, so that the final
    // names are free; thumbnailState marks the rows already renumbered.
    for (PhotoEntry& photo : model.photos) {
        const int f = fieldToInt(photo.templateFolder, "templateFolder");
        fs::rename(folder.instanceFolder(f), folder.renumberingFolder(f), ignored);
        photo.thumbnailState = PhotoStep::Cleared;
    }
    int m = 0;
    for (std::size_t i = 0; i < model.photos.size(); ++i) {
        if (model.photos.at(i).thumbnailState != PhotoStep::Cleared) continue;
        const QString f = model.photos.at(i).templateFolder;
        const int from = fieldToInt(f, "templateFolder");
        bool first = true;
        for (PhotoEntry& photo : model.photos) {
            if (photo.thumbnailState != PhotoStep::Cleared || photo.templateFolder != f) continue;
            if (first) {
                ++m;
                fs::rename(folder.renumberingMovie(from, from), folder.renumberingMovie(from, m),
                           ignored);
                fs::rename(folder.renumberingFolder(from), folder.instanceFolder(m), ignored);
                first = false;
            }
            photo.templateFolder = QString::number(m);
            photo.thumbnailState = kYes;
        }
    }
    if (model.photos.empty()) {
        model.photoWorking.clear();
        model.photoDragScratch.clear();
        model.landscapePool.clear();
        model.landscapePoolSingle.clear();
        model.portraitPool.clear();
        model.portraitPoolSingle.clear();
    }
    model.photos.renumber();
}

}  // namespace orvane
