#include "render/album/album_preview.h"

#include <QPainter>

#include "photos/jpeg_writer.h"
#include "render/album/template_movie.h"
#include "render/overlays/frame_overlays.h"
#include "render/swf/bitmap_decoder.h"
#include "render/swf/flash_player.h"

namespace orvane {

namespace {

// The stage of the template movies; transition pictures are staged at it.
constexpr QSize kStageSize{1920, 1080};

QString errorLine(const fs::path& movie, const QString& reason) {
    return QStringLiteral("%1 : 错误 (%2)").arg(toQString(movie), reason);
}

std::vector<int> songFrames(const ProjectModel& model) {
    std::vector<int> frames;
    for (const MusicEntry& song : model.music) frames.push_back(std::max(song.frameCount, 0));
    return frames;
}

void drawHeld(QImage& target, const QImage& picture) {
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target.rect(), picture);
}

}  // namespace

AlbumPreview::AlbumPreview(const ProjectModel& model, const WorkingFolder& folder)
    : m_model(model), m_folder(folder) {
    const AlbumSettings& settings = m_model.settings;
    m_outputSize = QSize(settings.outputWidth, settings.outputHeight);
    m_playList = playListFrom(buildTemplateUsageTable(m_model, m_folder));
    m_timeline = planAlbumTimeline(templateFrameCounts(m_playList), songFrames(m_model), settings);
}

AlbumPreview::~AlbumPreview() = default;

QStringList AlbumPreview::messages() const {
    QStringList all = m_messages;
    if (m_overlays)
        for (const QString& message : m_overlays->messages())
            if (!all.contains(message)) all << message;
    return all;
}

void AlbumPreview::dropPlayer() {
    m_player.reset();
    m_playerSegment = -1;
}

Result<void> AlbumPreview::stage(const QImage& bare) {
    m_lastStaged = bare.size() == kStageSize
                       ? bare.copy()
                       : bare.scaled(kStageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    auto bytes = encodeJpeg(m_lastStaged);
    if (!bytes) return std::unexpected(bytes.error());
    m_transitions.push_back(std::move(*bytes));
    return {};
}

std::shared_ptr<const QImage> AlbumPreview::decodedTransition(int index) {
    if (index != m_decodedIndex || !m_decoded) {
        const Bytes& bytes = m_transitions.at(static_cast<std::size_t>(index));
        auto image = swf::decodePicture(bytes);
        m_decoded = image ? std::make_shared<const QImage>(std::move(*image)) : nullptr;
        m_decodedIndex = index;
    }
    return m_decoded;
}

bool AlbumPreview::loadSegmentMovie(const fs::path& movie, int transition, int* frames) {
    m_player = std::make_unique<FlashPlayer>();
    m_playerSegment = -1;
    m_player->setPicture(m_folder.transitionPicture(), decodedTransition(transition));
    auto opened = openTemplateMovie(*m_player, movie);
    if (!opened) {
        if (frames)
            m_messages << errorLine(movie, opened.error().message + QStringLiteral(", skipped"));
        m_player.reset();
        return false;
    }
    if (frames) {
        *frames = *opened;
        for (const QString& warning : m_player->loadWarnings()) m_messages << warning;
    }
    return true;
}

// The producer's choice of the next movie, movie by movie, with the same
// skipping of movies that cannot be played.
std::optional<AlbumPreview::Segment> AlbumPreview::nextSegment(int firstFrame) {
    const int rows = m_playList.count();
    const int transition = static_cast<int>(m_transitions.size()) - 1;
    for (int attempt = 0; attempt < 2 * rows + 2; ++attempt) {
        if (m_planClosing) return std::nullopt;
        Segment segment;
        segment.firstFrame = firstFrame;
        segment.transition = transition;
        m_planIndex += 1;
        if (m_planIndex < rows) {
            segment.movie = toPath(m_playList.at(static_cast<std::size_t>(m_planIndex)).moviePath);
        } else if (m_timeline.afterLastInstance == AfterLastInstance::LoopInstances && rows > 0 &&
                   m_planFailures < rows) {
            m_planIndex = 0;
            segment.movie = toPath(m_playList.at(0).moviePath);
        } else {
            m_planClosing = true;
            m_planIndex = -1;
            segment.closing = true;
            segment.movie = m_folder.endingMovie();
        }
        segment.playIndex = m_planIndex;
        if (loadSegmentMovie(segment.movie, transition, &segment.frames)) {
            m_planFailures = 0;
            m_playerSegment = static_cast<int>(m_segments.size());
            return segment;
        }
        ++m_planFailures;
    }
    return std::nullopt;
}

Result<void> AlbumPreview::showSegment(std::size_t index, int movieFrame) {
    const Segment& segment = m_segments.at(index);
    if (m_playerSegment != static_cast<int>(index) || !m_player) {
        if (!loadSegmentMovie(segment.movie, segment.transition, nullptr))
            return fail(QStringLiteral("The movie %1 can no longer be played.")
                            .arg(toQString(segment.movie)));
        m_playerSegment = static_cast<int>(index);
    }
    (void)m_player->FrameNum(movieFrame);
    return {};
}

Result<void> AlbumPreview::stageTransitionAfter(std::size_t index) {
    const Segment& segment = m_segments.at(index);
    if (auto shown = showSegment(index, segment.frames - 1); !shown) return shown;
    // Painted at the output size, as the build paints the frame it stages.
    QImage bare(m_outputSize, QImage::Format_RGB32);
    m_player->paint(bare);
    return stage(bare);
}

Result<void> AlbumPreview::planUpTo(int n) {
    if (m_transitions.empty()) {
        QImage loading(kStageSize, QImage::Format_RGB32);
        loading.fill(Qt::black);
        if (auto staged = stage(loading); !staged) return staged;
        if (auto first = nextSegment(1)) {
            m_segments.push_back(std::move(*first));
        } else {
            m_planEnded = true;
            m_heldFrom = 1;
        }
    }
    while (!m_planEnded) {
        const Segment& last = m_segments.back();
        const int end = last.firstFrame + last.frames;
        if (last.closing || n < end) break;
        if (auto staged = stageTransitionAfter(m_segments.size() - 1); !staged) return staged;
        if (auto next = nextSegment(end)) {
            m_segments.push_back(std::move(*next));
        } else {
            m_planEnded = true;
            m_heldFrom = end;
        }
    }
    return {};
}

Result<AlbumFramePlace> AlbumPreview::place(int n) {
    if (n < 0 || n >= frameCount())
        return fail(
            QStringLiteral("The album has no frame %1 (it has %2).").arg(n).arg(frameCount()));
    AlbumFramePlace place;
    if (n == 0) {
        place.held = true;  // the loading picture
        return place;
    }
    if (auto planned = planUpTo(n); !planned) return std::unexpected(planned.error());
    if (m_planEnded && n >= m_heldFrom) {
        place.held = true;
        return place;
    }
    std::size_t index = m_segments.size() - 1;
    while (index > 0 && m_segments[index].firstFrame > n) --index;
    const Segment& segment = m_segments[index];
    place.segment = static_cast<int>(index);
    place.playIndex = segment.playIndex;
    place.closing = segment.closing;
    place.firstFrame = segment.firstFrame;
    place.movieFrame = std::min(n - segment.firstFrame, segment.frames - 1);
    return place;
}

Result<void> AlbumPreview::paintFrame(int n, QImage& target) {
    if (target.isNull() || target.size().isEmpty())
        return fail(QStringLiteral("No picture to paint album frame %1 into.").arg(n));
    auto where = place(n);
    if (!where) return std::unexpected(where.error());
    if (n == 0) {
        QImage loading(kStageSize, QImage::Format_RGB32);
        loading.fill(Qt::black);
        drawHeld(target, loading);
        return {};  // the loading picture carries no overlays
    }
    if (where->held) {
        drawHeld(target, m_lastStaged);
    } else {
        if (auto shown = showSegment(static_cast<std::size_t>(where->segment), where->movieFrame);
            !shown)
            return shown;
        m_player->paint(target);
    }

    if (!m_overlays || m_overlaySize != target.size() || n < m_overlays->currentFrame()) {
        FrameOverlayOptions overlayOptions;
        overlayOptions.songOrder = m_timeline.songOrder;
        m_overlays = std::make_unique<FrameOverlays>(m_model, target.size(), overlayOptions);
        m_overlaySize = target.size();
    }
    if (!m_overlays->empty()) m_overlays->paint(target, n);
    return {};
}

Result<QImage> AlbumPreview::frame(int n, QSize size) {
    if (size.isEmpty())
        return fail(QStringLiteral("An empty size was asked for album frame %1.").arg(n));
    QImage image(size, QImage::Format_RGB32);
    if (auto painted = paintFrame(n, image); !painted) return std::unexpected(painted.error());
    return image;
}

}  // namespace orvane
