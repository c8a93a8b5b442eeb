#include "gui/album/album_preview_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "av/song_length.h"
#include "gui/shell/command_button.h"
#include "render/album/album_playback.h"
#include "render/album/album_preview.h"
#include "session/session.h"

namespace orvane {

namespace {

constexpr QSize kPicture(960, 540);

QString albumTime(std::int64_t ms) {
    const std::int64_t seconds = ms / 1000;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QPushButton* button(const QString& caption, const QString& objectName, QWidget* parent) {
    auto* b = new CommandButton(caption, objectName, parent);
    b->setFocusPolicy(Qt::NoFocus);  // the arrow keys step frames, not focus
    b->setMinimumWidth(80);
    return b;
}

}  // namespace

// Shows the current frame at its own size, centred on black.
class AlbumPreviewWindow::Canvas : public QWidget {
   public:
    explicit Canvas(const QImage& image, QWidget* parent) : QWidget(parent), m_image(image) {
        setObjectName(QStringLiteral("Panel_xiangceyulan"));
        setAccessibleName(QStringLiteral("相册画面"));
        setFixedSize(kPicture);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

   protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        if (m_image.isNull()) return;
        const QPoint at((width() - m_image.width()) / 2, (height() - m_image.height()) / 2);
        painter.drawImage(at, m_image);
    }

   private:
    const QImage& m_image;
};

AlbumPreviewWindow::AlbumPreviewWindow(Session& session, const Skin& skin, OutputFactory output,
                                       std::shared_ptr<const PlaybackClock> clock, QWidget* parent)
    : FramedWindow(QStringLiteral("TFormAlbumPreview"), QStringLiteral("相册预览"), skin, parent),
      m_session(session),
      m_makeOutput(output ? std::move(output) : OutputFactory(makeDefaultAudioOutput)),
      m_clock(clock ? std::move(clock) : std::make_shared<SteadyPlaybackClock>()) {
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 10, 12, 10);
    m_canvas = new Canvas(m_image, content());
    layout->addWidget(m_canvas, 0, Qt::AlignHCenter);

    m_seek = new QSlider(Qt::Horizontal, content());
    m_seek->setObjectName(QStringLiteral("Slider_jindu"));
    m_seek->setAccessibleName(QStringLiteral("播放进度"));
    m_seek->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_seek);

    auto* row = new QHBoxLayout;
    m_play = button(QStringLiteral("播放"), QStringLiteral("Button_bofang"), content());
    m_pause = button(QStringLiteral("暂停"), QStringLiteral("Button_zanting"), content());
    m_stop = button(QStringLiteral("停止"), QStringLiteral("Button_tingzhi"), content());
    m_time = new QLabel(content());
    m_time->setObjectName(QStringLiteral("Label_shijian"));
    m_time->setAccessibleName(QStringLiteral("相册时间"));
    m_rateText = new QLabel(content());
    m_rateText->setObjectName(QStringLiteral("Label_zhenlv"));
    m_rateText->setAccessibleName(QStringLiteral("播放帧率"));
    for (QPushButton* b : {m_play, m_pause, m_stop}) row->addWidget(b);
    row->addSpacing(12);
    row->addWidget(m_time);
    row->addStretch();
    row->addWidget(m_rateText);
    layout->addLayout(row);
    setContentSize(QSize(kPicture.width() + 24, kPicture.height() + 90));

    connect(m_play, &QPushButton::clicked, this, &AlbumPreviewWindow::play);
    connect(m_pause, &QPushButton::clicked, this, &AlbumPreviewWindow::pause);
    connect(m_stop, &QPushButton::clicked, this, &AlbumPreviewWindow::stop);
    connect(m_seek, &QSlider::valueChanged, this, &AlbumPreviewWindow::seekTo);
    m_tick.setTimerType(Qt::PreciseTimer);
    m_tick.setInterval(4);
    connect(&m_tick, &QTimer::timeout, this, &AlbumPreviewWindow::onTick);
}

AlbumPreviewWindow::~AlbumPreviewWindow() = default;

bool AlbumPreviewWindow::prepare(QString* error) {
    m_tick.stop();
    m_playback.reset();
    const ProjectModel& model = m_session.model();
    if (model.photos.empty()) {
        if (error) *error = QStringLiteral("没有添加相片文件！");
        return false;
    }
    m_preview = std::make_unique<AlbumPreview>(model, m_session.folder());
    // The sound track as the encoder makes it: each song as long as it sounds.
    std::vector<std::int64_t> lengths;
    for (int song : m_preview->timeline().songOrder) {
        const QString& path = model.music.at(static_cast<std::size_t>(song)).location;
        auto length = av::measureSongLength(path);
        if (!length) {
            if (error) *error = length.error().message;
            m_preview.reset();
            return false;
        }
        lengths.push_back(length->milliseconds());
    }
    m_playback = std::make_unique<AlbumPlayback>(model, m_preview->timeline(), std::move(lengths),
                                                 m_makeOutput(), m_clock);
    {
        const QSignalBlocker quiet(m_seek);
        m_seek->setRange(0, m_playback->frameCount() - 1);
        m_seek->setValue(0);
    }
    m_framesShown = 0;
    m_framesDropped = 0;
    m_rate = 0;
    m_shown = -1;
    showFrame(0);
    return true;
}

bool AlbumPreviewWindow::showAlbum(QString* error) {
    if (!prepare(error)) return false;
    exec();
    return true;
}

QSize AlbumPreviewWindow::pictureSize() const {
    const QSize output = m_preview ? m_preview->outputSize() : kPicture;
    return output.isEmpty() ? kPicture : output.scaled(kPicture, Qt::KeepAspectRatio);
}

int AlbumPreviewWindow::frameCount() const { return m_playback ? m_playback->frameCount() : 0; }

bool AlbumPreviewWindow::isPlaying() const { return m_playback && m_playback->isPlaying(); }

void AlbumPreviewWindow::play() {
    if (!m_playback || m_playback->isPlaying()) return;
    if (auto started = m_playback->play(); !started) {
        m_rateText->setText(started.error().message);
        return;
    }
    m_rateClock.start();
    m_framesAtRateStart = m_framesShown;
    m_tick.start();
}

void AlbumPreviewWindow::pause() {
    if (!m_playback) return;
    m_playback->pause();
    m_tick.stop();
    showFrame(m_playback->currentFrame());
}

void AlbumPreviewWindow::stop() {
    if (!m_playback) return;
    m_playback->stop();
    m_tick.stop();
    showFrame(0);
}

void AlbumPreviewWindow::seekTo(int frame) {
    if (!m_playback) return;
    if (auto sought = m_playback->seek(frame); !sought) m_rateText->setText(sought.error().message);
    showFrame(m_playback->currentFrame());
}

void AlbumPreviewWindow::step(int frames) {
    if (!m_playback) return;
    pause();
    seekTo(std::max(0, m_shown) + frames);
}

void AlbumPreviewWindow::onTick() {
    if (auto ticked = m_playback->tick(); !ticked) m_rateText->setText(ticked.error().message);
    const int frame = m_playback->currentFrame();
    if (frame != m_shown) {
        // Frames the time passed by while the last one was painted are lost.
        if (frame > m_shown + 1) m_framesDropped += frame - m_shown - 1;
        showFrame(frame);
    }
    if (!m_playback->isPlaying()) m_tick.stop();
}

void AlbumPreviewWindow::showFrame(int frame) {
    if (!m_preview) return;
    const QSize size = pictureSize();
    if (m_image.size() != size) m_image = QImage(size, QImage::Format_RGB32);
    if (auto painted = m_preview->paintFrame(frame, m_image); !painted) {
        m_rateText->setText(painted.error().message);
        return;
    }
    m_shown = frame;
    ++m_framesShown;
    {
        const QSignalBlocker quiet(m_seek);
        m_seek->setValue(frame);
    }
    refreshTexts();
    m_canvas->repaint();
}

void AlbumPreviewWindow::refreshTexts() {
    const std::int64_t total = std::int64_t{frameCount()} * kAlbumFrameMs;
    m_time->setText(albumTime(std::int64_t{m_shown} * kAlbumFrameMs) + QStringLiteral(" / ") +
                    albumTime(total));
    if (!isPlaying() || !m_rateClock.isValid()) return;
    const qint64 elapsed = m_rateClock.elapsed();
    if (elapsed >= 1000) {
        m_rate = (m_framesShown - m_framesAtRateStart) * 1000.0 / elapsed;
        m_rateClock.restart();
        m_framesAtRateStart = m_framesShown;
    }
    m_rateText->setText(
        QStringLiteral("每秒 %1 帧，丢帧 %2").arg(m_rate, 0, 'f', 1).arg(m_framesDropped));
}

void AlbumPreviewWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            step(-1);
            return;
        case Qt::Key_Right:
            step(1);
            return;
        case Qt::Key_Space:
            isPlaying() ? pause() : play();
            return;
        default:
            FramedWindow::keyPressEvent(event);
    }
}

// However the window closes, the sound stops and the preview's memory goes.
void AlbumPreviewWindow::done(int result) {
    m_tick.stop();
    m_playback.reset();
    m_preview.reset();
    m_image = QImage();
    FramedWindow::done(result);
}

}  // namespace orvane
