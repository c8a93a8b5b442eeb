#include "session/job_runner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QThread>

namespace orvane {

// The job's progress: it runs on the worker and hands everything to the
// runner's thread through queued calls.
class JobRunner::WorkerProgress : public Progress {
   public:
    WorkerProgress(JobRunner* runner, std::shared_ptr<std::atomic<bool>> stop,
                   std::chrono::milliseconds throttle)
        : m_runner(runner), m_stop(std::move(stop)), m_throttle(throttle) {
        m_sinceSent.start();
    }

    void start(int steps, const QString& phase) override {
        flush();
        m_total = steps;
        m_done = 0;
        post([runner = m_runner, steps, phase] { emit runner->phaseStarted(steps, phase); });
        sendAdvance();
    }
    void advance(int steps) override {
        m_done += steps;
        if (m_done >= m_total || m_sinceSent.elapsed() >= m_throttle.count()) sendAdvance();
    }
    void log(const QString& line) override {
        post([runner = m_runner, line] { emit runner->logged(line); });
    }
    void notice(const QString& text) override {
        post([runner = m_runner, text] { emit runner->noticed(text); });
    }
    bool isCancelled() const override { return m_stop->load(); }

    // Sends the last advance if it was held back.
    void flush() {
        if (m_done != m_sent) sendAdvance();
    }

   private:
    void sendAdvance() {
        m_sent = m_done;
        m_sinceSent.restart();
        post([runner = m_runner, done = m_done, total = m_total] {
            emit runner->progressed(done, total);
        });
    }
    template <typename F>
    void post(F f) {
        QMetaObject::invokeMethod(m_runner, std::move(f), Qt::QueuedConnection);
    }

    JobRunner* m_runner;
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::chrono::milliseconds m_throttle;
    QElapsedTimer m_sinceSent;
    int m_total = 0;
    int m_done = 0;
    int m_sent = -1;
};

JobRunner::JobRunner(QObject* parent) : QObject(parent) { qRegisterMetaType<orvane::JobOutcome>(); }

JobRunner::~JobRunner() {
    if (!m_thread) return;
    requestStop();
    m_thread->wait();
    delete m_thread;
}

bool JobRunner::start(Job job, Completion completion) {
    if (m_thread) return false;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    m_outcome = std::make_shared<JobOutcome>();
    m_completion = std::move(completion);
    auto progress = std::make_shared<WorkerProgress>(this, m_stop, m_throttle);
    m_thread = QThread::create([job = std::move(job), progress, outcome = m_outcome] {
        try {
            outcome->result = job(*progress);
        } catch (const OrvaneError& e) {
            outcome->result = fail(e.message(), ErrorKind::Internal);
        } catch (const std::exception& e) {
            outcome->result = fail(QString::fromUtf8(e.what()), ErrorKind::Internal);
        }
        progress->flush();
    });
    // Queued: the calls the worker posted before it ended arrive first.
    connect(m_thread, &QThread::finished, this, &JobRunner::onThreadFinished, Qt::QueuedConnection);
    m_thread->start();
    return true;
}

void JobRunner::requestStop() {
    if (m_stop) m_stop->store(true);
}

void JobRunner::wait() {
    while (m_thread) {
        m_thread->wait(50);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

void JobRunner::onThreadFinished() {
    QThread* thread = m_thread;
    m_thread = nullptr;
    thread->wait();
    thread->deleteLater();
    const JobOutcome outcome = *m_outcome;
    Completion completion = std::move(m_completion);
    if (completion) completion(outcome);
    emit finished(outcome);
}

}  // namespace orvane
