#include "render/overlays/picture_overlay.h"

#include <QImageReader>

#include "effects/text_motion.h"

namespace orvane {

namespace {

// Larger pictures than this are not decorations; they are refused rather
// than decoded into hundreds of megabytes.
constexpr int kLargestSide = 8192;

Result<QImage> readPicture(const QString& file, const OverlayScale& scale) {
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!reader.canRead() || size.isEmpty())
        return fail(problemError(Problem::PictureUnreadable,
                                 QStringLiteral("画面特效图片无法读取：%1").arg(file), file,
                                 reader.errorString()));
    if (size.width() > kLargestSide || size.height() > kLargestSide)
        return fail(problemError(Problem::PictureTooLarge,
                                 QStringLiteral("画面特效图片太大：%1").arg(file), file));
    const QSize scaled = scale.size(size);
    if (scaled != size) reader.setScaledSize(scaled);
    QImage image = reader.read();
    if (image.isNull())
        return fail(problemError(
            Problem::PictureUnreadable,
            QStringLiteral("画面特效图片无法读取：%1 (%2)").arg(file, reader.errorString()), file,
            reader.errorString()));
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

PictureOverlay::PictureOverlay(const ProjectModel& model, const OverlayScale& scale,
                               std::vector<UserError>& messages) {
    for (const PictureEffect& row : model.pictureEffects) {
        Result<PictureEffectSpan> span = pictureEffectSpan(row);
        if (!span) {
            messages.push_back(problemError(Problem::PictureTimesInvalid, span.error().message,
                                            row.decoration, span.error().message));
            continue;
        }
        Result<QImage> image = readPicture(span->file, scale);
        if (!image) {
            messages.push_back(image.error());
            continue;
        }
        const QPoint position = scale.point(span->placement);
        m_pictures.push_back({std::move(*span), std::move(*image), position, kTextStopped});
    }
    advanceFrame(0);
}

void PictureOverlay::advanceFrame(int albumFrame) {
    for (Picture& p : m_pictures)
        p.runState = p.span.showsAt(albumFrame) ? kTextMoving : kTextStopped;
}

void PictureOverlay::paint(QPainter& painter) const {
    for (const Picture& p : m_pictures)
        if (p.runState == kTextMoving) painter.drawImage(p.position, p.image);
}

QStringList PictureOverlay::runStates() const {
    QStringList out;
    for (const Picture& p : m_pictures) out << p.runState;
    return out;
}

}  // namespace orvane
