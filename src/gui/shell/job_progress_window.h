#pragma once
// JobProgressWindow: a modal window shown while a job of a JobRunner runs.
// It shows the job's phase text, its progress and its notices; its stop
// button (or Esc, or the close control) asks the job to stop, and the window
// stays until the job has really ended. It closes itself when the job ends;
// a window with a closing pause first fills its bar (one step per fill
// interval) and stays on the screen for the pause, so that the user sees the
// work done. The processing window ProcessingWindow and the add-photos, add-music and
// add-lyrics windows are made of it, each with its own names. GUI thread.

#include <chrono>

#include "gui/shell/framed_window.h"
#include "session/job_runner.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace orvane {

class JobProgressWindow : public FramedWindow {
    Q_OBJECT
   public:
    // The object names of the window's controls.
    struct Names {
        QString window;
        QString caption;
        QString phaseLabel = QStringLiteral("Label_jieduan");
        QString progressBar = QStringLiteral("ProgressBar_jindu");
        QString noticeLabel = QStringLiteral("Label_tishi");
        QString stopButton = QStringLiteral("Button_tingzhi");
    };
    JobProgressWindow(const Names& names, const Skin& skin, QWidget* parent = nullptr);

    // Shows the window until the job that `runner` runs has ended and
    // returns how it ended. A runner with no job returns at once with an
    // Internal error.
    JobOutcome showWhile(JobRunner& runner);

    // After a job that succeeded: the bar advances to its end one step per
    // `fillStep` (in at most ten steps), then the window stays for `hold`.
    // A stop or a failure closes it at once, and so does Esc during the pause.
    struct ClosingPause {
        std::chrono::milliseconds fillStep{0};
        std::chrono::milliseconds hold{0};
    };
    void setClosingPause(ClosingPause pause) { m_pause = pause; }
    ClosingPause closingPause() const { return m_pause; }
    // Every closing pause is multiplied by `scale` (tests make them short).
    static void setClosingPauseScale(double scale);

    QLabel* phaseLabel() const { return m_phase; }
    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* stopButton() const { return m_stop; }

   public Q_SLOTS:
    void reject() override;

   private:
    // Fills the bar, holds, then ends the window's loop with `result`.
    void closeAfterPause(int result);
    void fillStep();
    void endPause();

    ClosingPause m_pause;
    QTimer* m_pauseTimer = nullptr;
    bool m_pausing = false;
    int m_fillIncrement = 1;
    int m_pauseResult = 0;

    JobRunner* m_runner = nullptr;
    QLabel* m_phase = nullptr;
    QLabel* m_notice = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_stop = nullptr;
};

}  // namespace orvane
