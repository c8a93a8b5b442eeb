#include "render/album/frame_producer.h"

#include <QPainter>
#include <cstring>

#include "photos/jpeg_writer.h"
#include "render/album/template_movie.h"
#include "render/swf/flash_player.h"

namespace orvane {

namespace {

// Template movies are laid out on a 1920 × 1080 stage; the transition
// picture they load is assumed to have that size.
constexpr QSize kStageSize{1920, 1080};

// Same size and format: the rows are copied without touching `from`, so
// its cache key (and the player's knowledge of it) stays.
void copyPixels(const QImage& from, QImage& to) {
    const qsizetype row = std::min(from.bytesPerLine(), to.bytesPerLine());
    if (from.bytesPerLine() == to.bytesPerLine()) {
        std::memcpy(to.bits(), from.constBits(), std::size_t(from.sizeInBytes()));
        return;
    }
    for (int y = 0; y < from.height(); ++y)
        std::memcpy(to.scanLine(y), from.constScanLine(y), std::size_t(row));
}

// A template movie that could not be played: skipped at its start, or
// failing while it played (the next one takes over).
AlbumLogLine templateLine(AlbumLogKind kind, const std::filesystem::path& movie,
                          const QString& reason) {
    AlbumLogLine line;
    line.kind = kind;
    line.english = QStringLiteral("%1 : 错误 (%2)")
                       .arg(toQString(movie), kind == AlbumLogKind::TemplateSkipped
                                                  ? reason + QStringLiteral(", skipped")
                                                  : reason);
    line.problem =
        problemError(Problem::TemplateUnplayable, line.english, toQString(movie), reason);
    return line;
}

}  // namespace

FrameProducer::FrameProducer(const WorkingFolder& folder, TemplateUsageTable playList,
                             FrameProducerSettings settings, OverlayPainter overlays, LogLine log)
    : m_folder(folder),
      m_playList(std::move(playList)),
      m_settings(settings),
      m_overlays(std::move(overlays)),
      m_log(std::move(log)) {}

FrameProducer::~FrameProducer() = default;

QImage FrameProducer::loadingPicture(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

QString FrameProducer::currentMovie() const {
    return m_player ? toQString(m_player->moviePath()) : QString();
}

Result<void> FrameProducer::start() {
    m_player.reset();
    m_playIndex = -1;
    m_templateFrame = -1;
    m_closingState = kClosingPending;
    m_failuresInRow = 0;
    std::error_code ec;
    std::filesystem::create_directories(m_folder.transitionFolder(), ec);
    if (auto staged = stageTransition(loadingPicture(kStageSize)); !staged) return staged;
    return loadNextTemplate();
}

Result<void> FrameProducer::stageTransition(const QImage& bare) {
    m_transition = bare.size() == kStageSize
                       ? bare.copy()
                       : bare.scaled(kStageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return saveJpeg(m_transition, m_folder.transitionPicture());
}

bool FrameProducer::loadMovie(const std::filesystem::path& movie) {
    auto player = std::make_unique<FlashPlayer>();
    auto frames = openTemplateMovie(*player, movie);
    if (!frames) {
        const AlbumLogLine line =
            templateLine(AlbumLogKind::TemplateSkipped, movie, frames.error().message);
        m_log(line);
        if (!m_skipped.contains(toQString(movie))) {
            m_skipped << toQString(movie);
            m_skippedProblems.push_back(line.problem);
        }
        return false;
    }
    for (const QString& warning : player->loadWarnings()) {
        AlbumLogLine line;
        line.kind = AlbumLogKind::TemplateWarning;
        line.english = warning;
        m_log(line);
    }
    m_movieFrames = *frames;
    m_player = std::move(player);
    return true;
}

Result<void> FrameProducer::loadNextTemplate() {
    m_player.reset();
    m_templateFrame = -1;
    const int rows = m_playList.count();
    for (int attempt = 0; attempt < 2 * rows + 2; ++attempt) {
        // The closing movie, once loaded, is never switched away from.
        if (m_closingState == kClosingLoaded) return {};
        std::filesystem::path movie;
        m_playIndex += 1;
        if (m_playIndex < rows) {
            movie = toPath(m_playList.at(static_cast<std::size_t>(m_playIndex)).moviePath);
        } else if (m_settings.afterLastInstance == AfterLastInstance::LoopInstances && rows > 0 &&
                   m_failuresInRow < rows) {
            m_playIndex = 0;
            movie = toPath(m_playList.at(0).moviePath);
        } else {
            m_closingState = kClosingLoaded;
            m_playIndex = -1;
            movie = m_folder.endingMovie();
        }
        if (loadMovie(movie)) {
            m_failuresInRow = 0;
            return {};
        }
        ++m_failuresInRow;
    }
    return {};
}

void FrameProducer::holdLastPicture(QImage& frame) const {
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(frame.rect(), m_transition);
}

Result<void> FrameProducer::paintFrame(QImage& frame, int albumFrame) {
    if (albumFrame == 0) {
        holdLastPicture(frame);  // the loading picture, staged by start()
        return {};
    }
    if (m_player) {
        m_templateFrame += 1;
        const int shown = std::min(m_templateFrame, m_movieFrames - 1);
        if (auto stepped = m_player->FrameNum(shown); !stepped) {
            m_log(templateLine(AlbumLogKind::TemplateFailed, m_player->moviePath(),
                               stepped.error().message));
            if (auto loaded = loadNextTemplate(); !loaded) return loaded;
            if (m_player) {
                m_templateFrame = 0;
                (void)m_player->FrameNum(0);
            }
        }
    }
    if (m_player) {
        // The template is painted into a picture of its own, which the player
        // leaves alone while its frame holds still; the overlays go on a copy.
        if (m_bare.size() != frame.size() || m_bare.format() != frame.format())
            m_bare = QImage(frame.size(), frame.format());
        m_player->paint(m_bare);
        copyPixels(m_bare, frame);
    } else {
        holdLastPicture(frame);
    }

    if (m_player && m_closingState == kClosingPending && m_templateFrame >= m_movieFrames - 1) {
        // The next template starts from this picture, without overlays.
        if (auto staged = stageTransition(frame); !staged) return staged;
        if (auto loaded = loadNextTemplate(); !loaded) return loaded;
    }
    if (m_overlays) m_overlays(frame, albumFrame);
    return {};
}

}  // namespace orvane
