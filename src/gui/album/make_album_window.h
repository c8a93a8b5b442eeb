#pragma once
// The make-album window MakeAlbumWindow ("制作相册"): it runs the album build as a
// job on a worker thread and shows, while the window stays responsive, the
// saved name, the build's log lines, the album progress, the encoder's
// activity and the time left. "停止制作" (or the close control, or Esc)
// stops the build at its next frame; a stopped or failed build leaves no
// file at the output path and the project as it was. "完成后打开保存文件夹"
// opens the output's folder when the album is finished; "打开位置" opens it
// at once. The log is worded in Chinese and kept after the build, so the
// window can show it again (showLog). GUI thread.

#include <QElapsedTimer>

#include "gui/shell/framed_window.h"
#include "render/album/album_build.h"
#include "render/album/make_choices.h"
#include "session/job_runner.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace orvane {

class Session;

class MakeAlbumWindow : public FramedWindow {
    Q_OBJECT
   public:
    MakeAlbumWindow(Session& session, const Skin& skin, QWidget* parent = nullptr);

    // Makes the album of the session's project into `output`, showing the
    // window until the build has ended; returns how it ended.
    Result<AlbumReport> makeAlbumTo(const MakeOutput& output);
    // Shows the window again with the log of the last build, until closed.
    void showLog();

    QPushButton* stopButton() const { return m_stop; }
    QCheckBox* openWhenDoneBox() const { return m_openWhenDone; }
    QPushButton* openLocationButton() const { return m_openLocation; }
    QPlainTextEdit* logView() const { return m_log; }
    QProgressBar* albumBar() const { return m_albumBar; }
    QProgressBar* activityBar() const { return m_activityBar; }
    QLabel* timeLeftLabel() const { return m_timeLeft; }
    QLabel* savedNameLabel() const { return m_savedName; }

   public Q_SLOTS:
    void reject() override;

   private:
    void prepare(const MakeOutput& output);
    void requestStop();
    void onProgress(int done, int total);
    void openOutputFolder() const;

    Session& m_session;
    JobRunner m_runner;
    QString m_outputPath;
    QElapsedTimer m_clock;
    int m_doneAtClockStart = -1;

    QLabel* m_savedName = nullptr;
    QPlainTextEdit* m_log = nullptr;
    QProgressBar* m_albumBar = nullptr;
    QProgressBar* m_activityBar = nullptr;
    QLabel* m_timeLeft = nullptr;
    QCheckBox* m_openWhenDone = nullptr;
    QPushButton* m_openLocation = nullptr;
    QPushButton* m_stop = nullptr;
};

}  // namespace orvane
