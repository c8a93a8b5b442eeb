#pragma once
// JobRunner: runs one long operation at a time on a worker thread for the
// windows, with progress signals throttled for painting and a stop flag.
//
// The job gets a Progress whose isCancelled() turns true after
// requestStop(); its phases, advances, notices and log lines come back as
// signals, delivered on the runner's thread (queued). Advances are sent at
// most once per throttle interval (and always at the end of a phase), so a
// job may advance a million times without flooding the window. An exception
// thrown by the job ends it as an error of kind Internal.
//
// Create and use it on one thread (the GUI thread); the job must not touch
// anything that thread uses (give it copies; Session::startJob does).

#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

#include "base/error.h"
#include "base/progress.h"

class QThread;

namespace orvane {

// How a job ended: succeeded, or failed with an error (its kind tells a stop
// from a failure).
struct JobOutcome {
    Result<void> result;
    bool succeeded() const { return result.has_value(); }
};

class JobRunner : public QObject {
    Q_OBJECT

   public:
    using Job = std::function<Result<void>(Progress& progress)>;
    // Called on the runner's thread when the job has ended, before finished.
    using Completion = std::function<void(const JobOutcome& outcome)>;

    explicit JobRunner(QObject* parent = nullptr);
    ~JobRunner() override;  // asks a running job to stop and waits for it

    // Starts `job`; false (and nothing starts) while another job runs.
    bool start(Job job, Completion completion = {});
    bool isRunning() const { return m_thread != nullptr; }
    // Asks the running job to stop; it ends at its next check.
    void requestStop();
    // Waits until the running job has ended and its signals are delivered.
    void wait();

    void setThrottle(std::chrono::milliseconds interval) { m_throttle = interval; }

   Q_SIGNALS:
    void phaseStarted(int total, const QString& phase);
    void progressed(int done, int total);
    void noticed(const QString& text);
    void logged(const QString& line);
    void finished(const orvane::JobOutcome& outcome);

   private:
    class WorkerProgress;
    void onThreadFinished();

    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::shared_ptr<JobOutcome> m_outcome;
    Completion m_completion;
    std::chrono::milliseconds m_throttle{50};
};

}  // namespace orvane

Q_DECLARE_METATYPE(orvane::JobOutcome)
