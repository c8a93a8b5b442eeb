#include "gui/shell/job_progress_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace orvane {

namespace {

double g_closingPauseScale = 1.0;

std::chrono::milliseconds scaled(std::chrono::milliseconds pause) {
    return std::chrono::milliseconds(
        static_cast<long long>(static_cast<double>(pause.count()) * g_closingPauseScale));
}

}  // namespace

JobProgressWindow::JobProgressWindow(const Names& names, const Skin& skin, QWidget* parent)
    : FramedWindow(names.window, names.caption, skin, parent) {
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(20, 14, 20, 14);
    m_phase = new QLabel(content());
    m_phase->setObjectName(names.phaseLabel);
    m_progress = new QProgressBar(content());
    m_progress->setObjectName(names.progressBar);
    m_progress->setAccessibleName(QStringLiteral("进度"));
    m_notice = new QLabel(content());
    m_notice->setObjectName(names.noticeLabel);
    m_notice->setWordWrap(true);
    m_stop = new QPushButton(QStringLiteral("停止"), content());
    m_stop->setObjectName(names.stopButton);
    m_stop->setAccessibleName(m_stop->text());
    m_stop->setMinimumWidth(90);
    layout->addWidget(m_phase);
    layout->addWidget(m_progress);
    layout->addWidget(m_notice, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_stop);
    layout->addLayout(row);
    connect(m_stop, &QPushButton::clicked, this, &JobProgressWindow::reject);
    setContentSize(QSize(420, 160));
    m_pauseTimer = new QTimer(this);
    m_pauseTimer->setSingleShot(true);
}

void JobProgressWindow::setClosingPauseScale(double scale) {
    g_closingPauseScale = std::max(0.0, scale);
}

void JobProgressWindow::closeAfterPause(int result) {
    if (result != QDialog::Accepted ||
        (m_pause.fillStep.count() == 0 && m_pause.hold.count() == 0)) {
        done(result);
        return;
    }
    m_pausing = true;
    m_pauseResult = result;
    m_stop->setEnabled(false);  // nothing left to stop
    // A job that never told its size still ends with a full bar.
    if (m_progress->maximum() <= m_progress->minimum()) m_progress->setRange(0, 1);
    const int remaining = m_progress->maximum() - std::max(m_progress->value(), 0);
    m_fillIncrement = std::max(1, (remaining + 9) / 10);
    fillStep();
}

void JobProgressWindow::fillStep() {
    m_pauseTimer->disconnect();
    if (m_progress->value() < m_progress->maximum() && m_pause.fillStep.count() > 0) {
        m_progress->setValue(
            std::min(m_progress->maximum(), std::max(m_progress->value(), 0) + m_fillIncrement));
        connect(m_pauseTimer, &QTimer::timeout, this, &JobProgressWindow::fillStep);
        m_pauseTimer->start(scaled(m_pause.fillStep));
        return;
    }
    m_progress->setValue(m_progress->maximum());
    connect(m_pauseTimer, &QTimer::timeout, this, &JobProgressWindow::endPause);
    m_pauseTimer->start(scaled(m_pause.hold));
}

void JobProgressWindow::endPause() {
    m_pauseTimer->stop();
    m_pauseTimer->disconnect();
    if (!m_pausing) return;
    m_pausing = false;
    done(m_pauseResult);
}

JobOutcome JobProgressWindow::showWhile(JobRunner& runner) {
    if (!runner.isRunning())
        return {fail(QStringLiteral("no job is running"), ErrorKind::Internal)};
    m_runner = &runner;
    m_pausing = false;
    m_pauseTimer->stop();
    m_phase->setText(QStringLiteral("正在处理..."));
    m_notice->clear();
    m_progress->setRange(0, 0);  // busy until the first phase tells its size
    m_stop->setEnabled(true);
    m_stop->setText(QStringLiteral("停止"));
    m_stop->setAccessibleName(m_stop->text());

    JobOutcome outcome{fail(QStringLiteral("the job never ended"), ErrorKind::Internal)};
    QList<QMetaObject::Connection> links;
    links << connect(&runner, &JobRunner::phaseStarted, this,
                     [this](int total, const QString& phase) {
                         m_phase->setText(phase);
                         m_progress->setRange(0, std::max(0, total));
                         m_progress->setValue(0);
                     });
    links << connect(&runner, &JobRunner::progressed, this, [this](int done, int total) {
        if (total > 0 && m_progress->maximum() != total) m_progress->setRange(0, total);
        m_progress->setValue(done);
    });
    links << connect(&runner, &JobRunner::noticed, m_notice, &QLabel::setText);
    links << connect(&runner, &JobRunner::finished, this, [this, &outcome](const JobOutcome& o) {
        outcome = o;
        m_runner = nullptr;
        closeAfterPause(o.succeeded() ? QDialog::Accepted : QDialog::Rejected);
    });
    m_stop->setFocus();
    // The job may have ended before the window's loop starts; its finished
    // signal is queued and ends the loop at its first turn.
    exec();
    for (const auto& link : links) disconnect(link);
    m_runner = nullptr;
    return outcome;
}

// Closing the window while the job runs asks it to stop; the window stays
// until the job has really ended, so nothing runs unseen.
void JobProgressWindow::reject() {
    if (m_pausing) {
        endPause();
        return;
    }
    if (m_runner) {
        m_runner->requestStop();
        m_stop->setEnabled(false);
        m_stop->setText(QStringLiteral("正在停止..."));
        return;
    }
    FramedWindow::reject();
}

}  // namespace orvane
