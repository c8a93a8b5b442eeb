#pragma once
// The music preview MediaPreviewWindow ("音乐预览") and the lyric preview MediaPreviewWindow
// ("歌词预览"): one window in two variants. The user picks a song and an LRC
// lyric independently (bindings play no part), plays the song through the
// shared media player and watches the lyric line change in the black
// 679 × 390 lyric area, styled by the lyric's attributes scaled to the area.
// The refresh timer reads the player's position, shows it as MM:SS, looks
// the clock text up in the lyric's time table, and stops the preview when
// the song has ended. Refusals go to the message window. GUI thread.

#include <QTimer>
#include <vector>

#include "audio/lrc_parser.h"
#include "gui/shell/framed_window.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvane {

class LyricLabelWidget;
class MediaPlayer;
class Session;
class MessageWindow;

class MediaPreviewWindow : public FramedWindow {
    Q_OBJECT
   public:
    enum class Variant { Music, Lyric };

    MediaPreviewWindow(Variant variant, Session& session, const Skin& skin, MediaPlayer& player,
                       MessageWindow& messages, QWidget* parent = nullptr);

    // The pane command: refuses with a message when there is nothing to
    // preview, else refills the lists and shows the window modally.
    void openPreview();

    // The list choices and the buttons, also for tests.
    void chooseSong(int row);
    void chooseLyric(int row);
    void play();
    void stopPreview();
    // One refresh tick (the timer calls it).
    void refresh();

    bool playing() const { return m_timer.isActive(); }
    QString shownLine() const;
    LyricLabelWidget* lyricLabel() const { return m_lyricLabel; }
    QLabel* elapsedLabel() const { return m_elapsed; }
    QLabel* totalLabel() const { return m_total; }

    static constexpr QSize kLyricArea{679, 390};

   protected:
    void done(int result) override;

   private:
    void refill();
    void showLine(const QString& text);

    Variant m_variant;
    Session& m_session;
    MediaPlayer& m_player;
    MessageWindow& m_messages;
    QTimer m_timer;
    QListWidget* m_songs = nullptr;
    QListWidget* m_lyrics = nullptr;
    QWidget* m_area = nullptr;
    LyricLabelWidget* m_lyricLabel = nullptr;
    QLabel* m_elapsed = nullptr;
    QLabel* m_total = nullptr;
    QLineEdit* m_songName = nullptr;
    QLineEdit* m_lyricName = nullptr;
    QLineEdit* m_lyricIndex = nullptr;  // hidden: the chosen lyric's row
    int m_song = -1;
    int m_lyric = -1;
    std::vector<LrcRow> m_timeTable;
};

}  // namespace orvane
