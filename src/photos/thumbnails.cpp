#include "thumbnails.h"

#include <QImageReader>
#include <QPainter>

#include "base/file_io.h"
#include "photos/photo_render.h"
#include "photos/staging.h"

namespace orvane {

QSize thumbnailPictureSize(const PhotoEntry& photo, const AlbumSettings& settings) {
    const int boxWidth = settings.thumbWidth - 30;
    const int boxHeight = settings.thumbHeight - 30;
    // The row's size is the photo's upright size, so a photo turned by its
    // orientation tag fills the box as well as any other.
    const int w = fieldToInt(photo.width, "width");
    const int h = fieldToInt(photo.height, "height");
    return h <= w ? QSize(boxWidth, h * boxWidth / w) : QSize(w * boxHeight / h, boxHeight);
}

Result<void> saveThumbnail(const QImage& picture, int n, const WorkingFolder& folder) {
    QImage canvas(picture.width() + 2 * kThumbnailBorder, picture.height() + 2 * kThumbnailBorder,
                  QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(QPoint(kThumbnailBorder, kThumbnailBorder), picture);
    painter.end();
    const fs::path path = folder.thumbnail(1, n);
    folder.createFolder(path.parent_path());
    if (auto written = writeImageFile(canvas, path, "BMP"); !written)
        return fail(QStringLiteral("cannot write the thumbnail %1 (%2)")
                        .arg(toQString(path), written.error().message));
    return {};
}

Result<void> writeThumbnail(const PhotoEntry& photo, int n, const AlbumSettings& settings,
                            const WorkingFolder& folder) {
    auto picture = renderPhoto(photo.location, thumbnailPictureSize(photo, settings));
    if (!picture) return std::unexpected(picture.error());
    return saveThumbnail(*picture, n, folder);
}

Result<void> writeCroppedThumbnail(const PhotoEntry& photo, int n, const AlbumSettings& settings,
                                   const WorkingFolder& folder) {
    const fs::path staged = folder.instancePicture(
        fieldToInt(photo.templateFolder, "templateFolder"), slotNumber(photo.imageName));
    QImageReader reader(toQString(staged));
    const QImage picture = reader.read();
    if (picture.isNull())
        return fail(QStringLiteral("cannot read the cropped picture %1").arg(toQString(staged)));
    const int boxWidth = settings.thumbWidth - 30;
    const int boxHeight = settings.thumbHeight - 30;
    const int w = picture.width();
    const int h = picture.height();
    const QSize size = h * boxWidth <= w * boxHeight ? QSize(boxWidth, h * boxWidth / w)
                                                     : QSize(w * boxHeight / h, boxHeight);
    return saveThumbnail(picture.scaled(size.expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation),
                         n, folder);
}

Result<void> makeThumbnails(ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
    for (std::size_t r = 0; r < model.photos.size(); ++r) {
        PhotoEntry& photo = model.photos.at(r);
        if (photo.thumbnailState != PhotoStep::Pending) continue;
        if (progress.isCancelled()) return stopped(QStringLiteral("the thumbnails"));
        progress.advance();
        if (auto ok = writeThumbnail(photo, static_cast<int>(r) + 1, model.settings, folder); !ok)
            return ok;
        photo.thumbnailState = PhotoStep::Done;
    }
    return {};
}

void removeThumbnail(const WorkingFolder& folder, int n, int count) {
    std::error_code ignored;
    fs::remove(folder.thumbnail(1, n), ignored);
    for (int k = n + 1; k <= count; ++k)
        fs::rename(folder.thumbnail(1, k), folder.thumbnail(1, k - 1), ignored);
}

}  // namespace orvane
