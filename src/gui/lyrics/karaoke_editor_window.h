#pragma once
// KaraokeEditorWindow "卡拉OK设置": the karaoke editor. It keeps the karaoke table
// (import through the file chooser, remove the selected entries, remove
// all), sets an entry's look through KaraokeStyleWindow, shows the song / karaoke
// pairing through KaraokeMatchWindow, and previews a song with the clicked entry's
// karaoke in the 800 × 450 panel Panel_ksc, whose rows the user places with
// the mouse; the placement is stored in the project's settings at the
// album's 1920 × 1080 scale, where the album draws its rows.
//
// The preview: a timer writes the player's position as HH:MM:SS; each change
// of the clock text (MM:SS) applies the appear, sweep-start and hide
// lookups, and the sweep grows one pixel per calibrated tick, caught up with
// the song's position so it keeps time whatever the timer achieves. The
// calibration (ticks of a 1 ms timer in one second) runs on the first
// opening of the run; the controls are enabled when it ends. GUI thread.

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

#include "audio/karaoke_timeline.h"
#include "base/project_model.h"
#include "gui/shell/framed_window.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace orvane {

class FileChooser;
class KaraokePanel;
class MediaPlayer;
class ScriptConverter;
class Session;
class MessageWindow;
class KaraokeInitWindow;
class KaraokeStyleWindow;
class KaraokeMatchWindow;

class KaraokeEditorWindow : public FramedWindow {
    Q_OBJECT
   public:
    KaraokeEditorWindow(Session& session, const Skin& skin, MediaPlayer& player,
                        MessageWindow& messages, QWidget* parent = nullptr);
    ~KaraokeEditorWindow() override;

    // The windows it opens, made by the window set in their own order.
    // `chooser` is asked for the file chooser at each import (tests replace it).
    void setHelpers(KaraokeInitWindow& init, KaraokeStyleWindow& style, KaraokeMatchWindow& match,
                    std::function<FileChooser&()> chooser);

    // "卡拉OK设置": runs KaraokeInitWindow, then shows the editor modally.
    void openEditor();
    // KaraokeInitWindow's work: rows from the settings, labels cleared, times reset,
    // song list filled; the calibration on the first opening of the run.
    void prepare();
    bool calibrated() const { return m_ticksPerSecond > 0; }
    int ticksPerSecond() const { return m_ticksPerSecond; }

    // The commands, also for tests.
    void importFiles();
    void clickEntry(int row);
    void removeSelected();
    void removeAll();
    void editStyle();
    void showMatches();
    void chooseSong(int row);
    void play();
    void pause();
    void stopPreview();
    // One preview tick: the clock, the lookups and the sweep.
    void tick();

    QTreeWidget* list() const { return m_list; }
    KaraokePanel* panel() const { return m_panel; }
    QLineEdit* currentTime() const { return m_current; }

   protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    void rebuildList();
    void setControlsEnabled(bool on);
    void startCalibration();
    void storeRows(KaraokePanelRows rows);
    void loadPreview(int row);
    void resetPreview();

    Session& m_session;
    MediaPlayer& m_player;
    MessageWindow& m_messages;
    KaraokeInitWindow* m_init = nullptr;
    KaraokeStyleWindow* m_style = nullptr;
    KaraokeMatchWindow* m_match = nullptr;
    std::function<FileChooser&()> m_chooser;
    std::unique_ptr<ScriptConverter> m_converter;

    QTreeWidget* m_list = nullptr;
    QListWidget* m_songs = nullptr;
    KaraokePanel* m_panel = nullptr;
    QLineEdit* m_current = nullptr;
    QLineEdit* m_total = nullptr;
    std::vector<QWidget*> m_controls;

    bool m_initialised = false;  // Edit_jiance_chushihua
    int m_ticksPerSecond = 0;
    QTimer m_calibrationTick;
    QTimer m_calibrationEnd;
    int m_calibrationCount = 0;

    int m_clicked = -1;  // the entry last clicked, whose karaoke the preview shows
    int m_song = -1;
    QTimer m_timer;
    QString m_lastClock;
    int m_sweepLine = -1;
    qint64 m_sweepStartMs = 0;
    qint64 m_sweepTicks = 0;
};

}  // namespace orvane
