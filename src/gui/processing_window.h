#pragma once
// The processing window TForm35 ("正在处理..."): shown modally while a job
// of a JobRunner runs; it shows the job's phase text, its progress and its
// notices, and its "停止" button (or Esc, or the close control) asks the job
// to stop. It closes itself when the job ends. GUI thread.

#include "app/session/job_runner.h"
#include "gui/framed_window.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace orvane {

class TForm35 : public FramedWindow {
    Q_OBJECT
   public:
    explicit TForm35(const Skin& skin, QWidget* parent = nullptr);

    // Shows the window until the job that `runner` runs has ended and
    // returns how it ended. A runner with no job returns at once with an
    // Internal error.
    JobOutcome showWhile(JobRunner& runner);

    QLabel* phaseLabel() const { return m_phase; }
    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* stopButton() const { return m_stop; }

   public Q_SLOTS:
    void reject() override;

   private:
    JobRunner* m_runner = nullptr;
    QLabel* m_phase = nullptr;
    QLabel* m_notice = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_stop = nullptr;
};

}  // namespace orvane
