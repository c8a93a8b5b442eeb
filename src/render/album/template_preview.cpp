#include "render/album/template_preview.h"

#include "photos/jpeg_writer.h"
#include "photos/photo_render.h"
#include "render/album/template_movie.h"
#include "render/swf/flash_player.h"

namespace orvane {

namespace {

// Template movies are laid out on this stage; the preview area is a
// reduction of it.
constexpr QSize kStageSize{1920, 1080};

Result<void> copyFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec))
        return fail(QStringLiteral("The staged file %1 is missing.").arg(toQString(from)));
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec)
        return fail(QStringLiteral("The preview copy %1 cannot be written: %2")
                        .arg(toQString(to), QString::fromStdString(ec.message())));
    return {};
}

}  // namespace

TemplatePreview::TemplatePreview(const WorkingFolder& folder, int instance, int slotCount,
                                 TemplatePreviewOptions options)
    : m_folder(folder),
      m_instance(instance),
      m_slots(slotCount),
      m_options(std::move(options)),
      m_player(std::make_unique<FlashPlayer>()) {
    if (m_options.area.isEmpty()) m_options.area = QSize(800, 450);
    if (m_options.shrinkPictures)
        m_player->setPictureScale(double(m_options.area.width()) / kStageSize.width());
}

TemplatePreview::~TemplatePreview() = default;

Result<void> TemplatePreview::prepare() {
    m_ready = false;
    m_warnings.clear();
    try {
        m_folder.removeTree(m_folder.previewFolder());
        m_folder.createFolder(m_folder.previewTransitionFolder());
        m_folder.createFolder(m_folder.previewInstanceFolder(m_instance));
        if (m_options.playEnding) m_folder.createFolder(m_folder.previewEndingFolder());
    } catch (const OrvaneError& e) {
        return fail(e.message());
    }
    if (auto copied =
            copyFile(m_folder.instanceMovie(m_instance), m_folder.previewInstanceMovie(m_instance));
        !copied)
        return copied;
    if (m_options.playEnding) {
        if (auto copied = copyFile(m_folder.endingMovie(), m_folder.previewEndingMovie()); !copied)
            m_warnings << copied.error().message;
    }
    const QSize area = m_options.area;
    for (int k = 1; k <= m_slots; ++k) {
        const fs::path staged = m_folder.instancePicture(m_instance, k);
        const fs::path copy = m_folder.previewInstancePicture(m_instance, k);
        if (!m_options.shrinkPictures) {
            if (auto copied = copyFile(staged, copy); !copied) return copied;
            continue;
        }
        auto header = readPhotoHeader(toQString(staged));
        if (!header) return std::unexpected(header.error());
        // The picture at the preview's share of a 1920 × 1080 frame.
        const QSize shrunk(
            std::max(1, header->displayWidth() * area.width() / kStageSize.width()),
            std::max(1, header->displayHeight() * area.height() / kStageSize.height()));
        auto picture = renderPhoto(toQString(staged), shrunk);
        if (!picture) return std::unexpected(picture.error());
        if (auto saved = saveJpeg(*picture, copy); !saved) return saved;
    }
    return {};
}

Result<void> TemplatePreview::stageTransition(const QImage& picture) {
    // picture_0 holds as many pixels per stage pixel as the slot pictures.
    const QSize size = m_options.shrinkPictures ? m_options.area : kStageSize;
    QImage staged = picture;
    if (staged.isNull()) {
        staged = QImage(size, QImage::Format_RGB32);
        staged.fill(Qt::black);
    } else if (staged.size() != size) {
        staged = staged.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return saveJpeg(staged, m_folder.previewTransitionPicture());
}

void TemplatePreview::collectWarnings() {
    for (const QString& warning : m_player->loadWarnings())
        if (!m_warnings.contains(warning)) m_warnings << warning;
}

Result<void> TemplatePreview::loadTemplate() {
    const fs::path movie = m_folder.previewInstanceMovie(m_instance);
    m_loaded = Phase::Template;
    auto status = loadTemplateMovie(*m_player, movie);
    if (!status) return std::unexpected(status.error());
    collectWarnings();
    const QString name = toQString(movie);
    if (!status->signature || !status->pictureReported) {
        const QString breach =
            !status->signature
                ? QStringLiteral("The movie %1 is not a template movie of this program.").arg(name)
                : QStringLiteral("The movie %1 did not report \"picture_0\".").arg(name);
        if (m_options.requireProtocol) return fail(breach);
        if (!m_warnings.contains(breach)) m_warnings << breach;
    }
    if (status->frames <= 0) return fail(QStringLiteral("The movie %1 has no frames.").arg(name));
    m_templateFrames = status->frames;
    return {};
}

Result<void> TemplatePreview::loadEnding() {
    const fs::path movie = m_folder.previewEndingMovie();
    m_loaded = Phase::Ending;
    auto frames = openTemplateMovie(*m_player, movie);
    if (!frames)
        return fail(QStringLiteral("The ending movie %1 cannot be played: %2")
                        .arg(toQString(movie), frames.error().message));
    collectWarnings();
    m_endingFrames = *frames;
    return {};
}

Result<void> TemplatePreview::play() {
    m_ready = false;
    m_templateFrames = 0;
    m_endingFrames = 0;
    if (auto staged = stageTransition(m_options.startPicture); !staged) return staged;
    m_endingStaged = false;
    if (m_options.playEnding) {
        // Measured now; it is loaded again with the template's last picture.
        if (auto ending = loadEnding(); !ending) {
            if (!m_warnings.contains(ending.error().message)) m_warnings << ending.error().message;
            m_endingFrames = 0;
        }
    }
    if (auto loaded = loadTemplate(); !loaded) return loaded;
    m_ready = true;
    return {};
}

TemplatePreview::Phase TemplatePreview::phaseOf(int frame) const {
    return frame < m_templateFrames ? Phase::Template : Phase::Ending;
}

std::chrono::milliseconds TemplatePreview::pace(int frame) const {
    if (phaseOf(frame) == Phase::Ending) return std::chrono::milliseconds(5);
    return std::chrono::milliseconds(m_slots > 1 ? 30 : 10);
}

Result<void> TemplatePreview::paintFrame(int frame, QImage& target) {
    if (!m_ready || frameCount() <= 0) return fail(QStringLiteral("The preview is not playing."));
    frame = std::clamp(frame, 0, frameCount() - 1);
    if (frame < m_templateFrames) {
        if (m_loaded != Phase::Template) {
            // Back from the ending: the template starts from the start picture again.
            if (auto staged = stageTransition(m_options.startPicture); !staged) return staged;
            m_endingStaged = false;
            if (auto loaded = loadTemplate(); !loaded) return loaded;
        }
        (void)m_player->FrameNum(frame);
    } else {
        if (m_loaded != Phase::Ending || !m_endingStaged) {
            // The ending starts from the template's last picture.
            if (m_loaded != Phase::Template) {
                if (auto staged = stageTransition(m_options.startPicture); !staged) return staged;
                if (auto loaded = loadTemplate(); !loaded) return loaded;
            }
            (void)m_player->FrameNum(m_templateFrames - 1);
            const QSize size = m_options.shrinkPictures ? m_options.area : kStageSize;
            if (auto staged = stageTransition(m_player->render(size.width(), size.height()));
                !staged)
                return staged;
            m_endingStaged = true;
            if (auto loaded = loadEnding(); !loaded) return loaded;
        }
        (void)m_player->FrameNum(frame - m_templateFrames);
    }
    collectWarnings();
    m_player->paint(target);
    return {};
}

QImage TemplatePreview::render(int frame, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    if (!paintFrame(frame, image)) image.fill(Qt::black);
    return image;
}

void TemplatePreview::remove() {
    m_ready = false;
    m_player = std::make_unique<FlashPlayer>();
    if (m_options.shrinkPictures)
        m_player->setPictureScale(double(m_options.area.width()) / kStageSize.width());
    m_folder.removeTree(m_folder.previewFolder());
}

}  // namespace orvane
