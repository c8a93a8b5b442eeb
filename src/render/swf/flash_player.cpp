#include "render/swf/flash_player.h"

#include <QFileInfo>
#include <algorithm>
#include <unordered_map>

#include "render/swf/bitmap_decoder.h"
#include "render/swf/frame_layout.h"
#include "render/swf/swf_painter.h"
#include "render/swf/swf_parser.h"
#include "render/swf/swf_player.h"
#include "templates/package.h"

namespace orvane {

namespace fs = std::filesystem;

// Loads the pictures a movie asks for, relative to the movie's folder, and
// keeps them decoded while their files stay the same (a backward jump
// replays the loads of the frames before it).
// Staged pictures are JPEGs of at most a few megabytes.
constexpr std::uintmax_t kMaxPictureFileBytes = 64 * 1024 * 1024;

class PictureCache : public swf::PictureLoader {
   public:
    // A movie loads its pictures from its own folder (the template
    // instance's slot pictures) and from the transition folder "pic" two
    // levels above it, which every template folder layout shares.
    void setBaseFolder(const fs::path& folder) {
        m_base = folder.lexically_normal();
        m_allowed = {m_base, (m_base / ".." / ".." / "pic").lexically_normal()};
        m_entries.clear();
    }
    void setScale(double scale) {
        m_scale = scale;
        m_entries.clear();
    }
    void setOverride(const fs::path& path, std::shared_ptr<const QImage> picture) {
        const std::string key = path.lexically_normal().string();
        if (picture)
            m_overrides[key] = std::move(picture);
        else
            m_overrides.erase(key);
    }

    Result<std::shared_ptr<const QImage>> loadPicture(const QString& url) override {
        QString local = url;
        local.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (local.startsWith(QStringLiteral("file:///"), Qt::CaseInsensitive))
            local = local.mid(7);
        else if (local.contains(QStringLiteral("://")))
            return fail(QStringLiteral("The picture %1 is not a local file.").arg(url));
        fs::path path = fs::path(local.toStdString());
        if (path.is_relative()) path = m_base / path;
        path = path.lexically_normal();
        const QString name = QString::fromStdString(path.string());
        if (!isAllowed(path))
            return fail(QStringLiteral("The picture %1 is outside the template's folders (%2); "
                                       "a template loads only its own pictures.")
                            .arg(url, QString::fromStdString(m_base.string())));
        if (auto it = m_overrides.find(path.string()); it != m_overrides.end()) return it->second;
        std::error_code ec;
        const auto size = fs::file_size(path, ec);
        if (ec)
            return fail(
                QStringLiteral("The picture %1 cannot be read: it does not exist.").arg(name));
        // Checked before reading: a movie must not make us read a huge file whole.
        if (size > kMaxPictureFileBytes)
            return fail(QStringLiteral("The picture %1 is too large: %2 bytes, at most %3.")
                            .arg(name)
                            .arg(size)
                            .arg(kMaxPictureFileBytes));
        const auto time = fs::last_write_time(path, ec);
        const std::string key = path.string();
        auto it = m_entries.find(key);
        if (it != m_entries.end() && it->second.size == size && it->second.time == time)
            return it->second.image;
        auto bytes = readWholeFile(path);
        if (!bytes) return std::unexpected(bytes.error());
        auto image = swf::decodePicture(*bytes);
        if (!image)
            return fail(QStringLiteral("The picture %1 cannot be shown: %2.")
                            .arg(name, image.error().message));
        // The painter reads the picture's resolution from its pixel ratio.
        if (m_scale != 1.0) image->setDevicePixelRatio(m_scale);
        auto shared = std::make_shared<const QImage>(std::move(*image));
        m_entries[key] = Entry{size, time, shared};
        return shared;
    }

   private:
    bool isAllowed(const fs::path& path) const {
        for (const fs::path& folder : m_allowed) {
            auto [end, at] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
            // Trailing "" of a folder written with a final separator matches too.
            const bool inside =
                end == folder.end() || (std::next(end) == folder.end() && end->empty());
            if (inside && at != path.end()) return true;
        }
        return false;
    }

    struct Entry {
        std::uintmax_t size = 0;
        fs::file_time_type time;
        std::shared_ptr<const QImage> image;
    };
    fs::path m_base;
    std::vector<fs::path> m_allowed;
    double m_scale = 1.0;
    std::unordered_map<std::string, Entry> m_entries;
    std::unordered_map<std::string, std::shared_ptr<const QImage>> m_overrides;
};

namespace {

class CallbackSink : public swf::FsCommandSink {
   public:
    explicit CallbackSink(std::function<void(const QString&, const QString&)> deliver)
        : m_deliver(std::move(deliver)) {}
    void fsCommand(const QString& command, const QString& args) override {
        m_deliver(command, args);
    }

   private:
    std::function<void(const QString&, const QString&)> m_deliver;
};

}  // namespace

struct FlashPlayerSink : CallbackSink {
    using CallbackSink::CallbackSink;
};

FlashPlayer::FlashPlayer()
    : m_painter(std::make_unique<swf::Painter>()), m_pictures(std::make_unique<PictureCache>()) {}

FlashPlayer::~FlashPlayer() = default;

bool FlashPlayer::isLoaded() const { return m_player != nullptr; }

Result<void> FlashPlayer::Movie(const fs::path& path) {
    m_player.reset();
    m_movie.reset();
    m_hostVariables.clear();
    m_warnings.clear();
    m_paintedLayout.reset();  // another movie may come to the same addresses
    m_paintedImageKey = 0;
    m_path = path;
    auto movie = swf::loadMovieFile(path);
    if (!movie) return std::unexpected(movie.error());
    m_movie = std::move(*movie);
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    m_pictures->setBaseFolder((ec ? path : absolute).parent_path());
    restart();
    return {};
}

void FlashPlayer::restart() {
    if (!m_sink) {
        m_sink =
            std::make_unique<FlashPlayerSink>([this](const QString& command, const QString& args) {
                deliverFsCommand(command, args);
            });
    }
    m_player = std::make_unique<swf::Player>(m_movie, *m_pictures, *m_sink);
    m_player->start();
    for (const auto& [name, value] : m_hostVariables)
        m_player->setVariable(name, swf::Value::fromString(value));
    m_warnings += m_player->takeWarnings();
}

void FlashPlayer::deliverFsCommand(const QString& command, const QString& args) {
    if (m_fsCommand) m_fsCommand(command, args);
}

Result<void> FlashPlayer::FrameNum(int n) {
    if (!m_player) return fail(QStringLiteral("No movie is loaded."));
    n = std::clamp(n, 0, m_movie->frameCount() - 1);
    if (n < m_player->currentFrame()) restart();
    // One tick per frame from the shown one to n; a movie that jumps back by
    // itself cannot keep this loop going.
    for (int f = m_player->currentFrame() + 1; f <= n; ++f) m_player->tick(f);
    m_warnings += m_player->takeWarnings();
    return {};
}

int FlashPlayer::currentFrame() const { return m_player ? m_player->currentFrame() : -1; }

Result<int> FlashPlayer::TotalFrames() const {
    if (!m_movie) {
        if (m_path.empty()) return fail(QStringLiteral("No movie is loaded."));
        return fail(QStringLiteral("The movie %1 is not loaded.")
                        .arg(QString::fromStdString(m_path.string())));
    }
    return m_movie->frameCount();
}

void FlashPlayer::Stop() {
    if (m_player) m_player->stopRoot();
}

void FlashPlayer::SetVariable(const QString& name, const QString& value) {
    if (!m_player) return;
    m_player->setVariable(name, swf::Value::fromString(value));
    std::erase_if(m_hostVariables, [&](const auto& entry) { return entry.first == name; });
    m_hostVariables.emplace_back(name, value);
}

QString FlashPlayer::GetVariable(const QString& name) const {
    if (!m_player) return {};
    const swf::Value v = m_player->getVariable(name);
    return v.isUndefined() ? QString() : v.toString(m_movie->version);
}

void FlashPlayer::setPicture(const fs::path& path, std::shared_ptr<const QImage> picture) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    m_pictures->setOverride(ec ? path : absolute, std::move(picture));
}

void FlashPlayer::setPictureScale(double pixelsPerStagePixel) {
    if (pixelsPerStagePixel > 0) m_pictures->setScale(pixelsPerStagePixel);
}

void FlashPlayer::setFsCommandHandler(FsCommandHandler handler) {
    m_fsCommand = std::move(handler);
}

void FlashPlayer::paint(QImage& target) {
    if (target.isNull()) return;
    if (!m_player) {
        target.fill(Qt::black);
        return;
    }
    // Over the frame painted last, only what changed since is painted.
    auto layout =
        std::make_unique<swf::FrameLayout>(swf::FrameLayout::of(*m_player, target.size()));
    if (m_paintedLayout && target.cacheKey() == m_paintedImageKey) {
        const QRegion changed = m_paintedLayout->changedArea(*layout);
        if (!changed.isEmpty()) m_painter->paint(*m_player, target, changed);
    } else {
        m_painter->paint(*m_player, target);
    }
    m_paintedLayout = std::move(layout);
    m_paintedImageKey = target.cacheKey();
}

QImage FlashPlayer::render(int outputWidth, int outputHeight) {
    QImage image(std::max(outputWidth, 1), std::max(outputHeight, 1), QImage::Format_RGB32);
    paint(image);
    return image;
}

QSize FlashPlayer::stageSize() const {
    return m_movie ? QSize(m_movie->stageWidthPixels(), m_movie->stageHeightPixels()) : QSize();
}

double FlashPlayer::frameRate() const { return m_movie ? m_movie->frameRate : 0.0; }

}  // namespace orvane
