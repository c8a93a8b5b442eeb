#pragma once
// The whole-album preview ("相册预览", object AlbumPreviewWindow): the album
// as the made video will show it (templates, lyrics, karaoke, texts and
// picture effects, drawn by the core's album preview) with its sound track,
// before anything is made. "播放", "暂停", "停止", a seek bar with the album
// time, frame stepping with the arrow keys (Space plays and pauses). The
// picture follows the sound; when painting falls behind, frames are dropped
// and counted, and the window says so. GUI thread.

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>

#include "audio/media_player.h"
#include "gui/shell/framed_window.h"

class QLabel;
class QPushButton;
class QSlider;

namespace orvane {

class AlbumPlayback;
class AlbumPreview;
class Session;

class AlbumPreviewWindow : public FramedWindow {
    Q_OBJECT
   public:
    using OutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

    // `output` makes the sound output for each showing (the sound card, or
    // silence where there is none); `clock` carries the time where the sound
    // track is silent.
    AlbumPreviewWindow(Session& session, const Skin& skin, OutputFactory output = {},
                       std::shared_ptr<const PlaybackClock> clock = {}, QWidget* parent = nullptr);
    ~AlbumPreviewWindow() override;

    // Prepares the album of the session's project at its first frame and
    // shows the window modally until it is closed. False (nothing shown)
    // with the reason in `error` when the album cannot be previewed.
    bool showAlbum(QString* error = nullptr);
    // The same without showing, for tests and measurements.
    bool prepare(QString* error = nullptr);

    void play();
    void pause();
    void stop();
    void seekTo(int frame);
    void step(int frames);

    int frameCount() const;
    int shownFrame() const { return m_shown; }
    const QImage& shownImage() const { return m_image; }
    int framesShown() const { return m_framesShown; }
    int framesDropped() const { return m_framesDropped; }
    bool isPlaying() const;

    QSlider* seekBar() const { return m_seek; }

   protected:
    void keyPressEvent(QKeyEvent* event) override;

   public Q_SLOTS:
    void done(int result) override;

   private:
    class Canvas;
    void onTick();
    void showFrame(int frame);
    void refreshTexts();
    QSize pictureSize() const;

    Session& m_session;
    OutputFactory m_makeOutput;
    std::shared_ptr<const PlaybackClock> m_clock;
    std::unique_ptr<AlbumPreview> m_preview;
    std::unique_ptr<AlbumPlayback> m_playback;
    QTimer m_tick;

    QImage m_image;
    int m_shown = -1;
    int m_framesShown = 0;
    int m_framesDropped = 0;
    QElapsedTimer m_rateClock;
    int m_framesAtRateStart = 0;
    double m_rate = 0;

    Canvas* m_canvas = nullptr;
    QSlider* m_seek = nullptr;
    QLabel* m_time = nullptr;
    QLabel* m_rateText = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_pause = nullptr;
    QPushButton* m_stop = nullptr;
};

}  // namespace orvane
