#include "gui/album/make_album_window.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "base/time_left.h"
#include "gui/album/album_log_text.h"
#include "gui/shell/check_option.h"
#include "gui/shell/command_button.h"
#include "session/session.h"

namespace orvane {

namespace {

// The log keeps its last lines only, so a long album never fills memory.
constexpr int kLogLines = 32000;

QPushButton* button(const QString& caption, const QString& objectName, QWidget* parent) {
    auto* b = new CommandButton(caption, objectName, parent);
    b->setMinimumWidth(110);
    return b;
}

QProgressBar* bar(const QString& objectName, const QString& name, QWidget* parent) {
    auto* b = new QProgressBar(parent);
    b->setObjectName(objectName);
    b->setAccessibleName(name);
    b->setTextVisible(true);
    return b;
}

}  // namespace

MakeAlbumWindow::MakeAlbumWindow(Session& session, const Skin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TfrmMain"), QStringLiteral("制作相册"), skin, parent),
      m_session(session) {
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(16, 12, 16, 12);
    m_savedName = new QLabel(content());
    m_savedName->setObjectName(QStringLiteral("Label_baocunmingcheng"));
    m_savedName->setAccessibleName(QStringLiteral("保存文件名"));
    layout->addWidget(m_savedName);

    m_log = new QPlainTextEdit(content());
    m_log->setObjectName(QStringLiteral("Memo_rizhi"));
    m_log->setAccessibleName(QStringLiteral("制作日志"));
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(kLogLines);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_log, 1);

    auto* bars = new QGridLayout;
    m_albumBar = bar(QStringLiteral("ProgressBar_xiangce"), QStringLiteral("相册进度"), content());
    m_activityBar =
        bar(QStringLiteral("ProgressBar_huodong"), QStringLiteral("正在编码"), content());
    bars->addWidget(new QLabel(QStringLiteral("相册进度"), content()), 0, 0);
    bars->addWidget(m_albumBar, 0, 1);
    bars->addWidget(new QLabel(QStringLiteral("正在编码"), content()), 1, 0);
    bars->addWidget(m_activityBar, 1, 1);
    layout->addLayout(bars);
    m_timeLeft = new QLabel(content());
    m_timeLeft->setObjectName(QStringLiteral("Label_shengyushijian"));
    m_timeLeft->setAccessibleName(QStringLiteral("剩余时间"));
    layout->addWidget(m_timeLeft);

    auto* row = new QHBoxLayout;
    m_openWhenDone = new CheckOption(QStringLiteral("完成后打开保存文件夹"),
                                     QStringLiteral("CheckBox_dakaiwenjianjia"), content());
    m_openLocation =
        button(QStringLiteral("打开位置"), QStringLiteral("Button_dakaiweizhi"), content());
    m_stop = button(QStringLiteral("停止制作"), QStringLiteral("Button_tingzhizhizuo"), content());
    row->addWidget(m_openWhenDone);
    row->addStretch();
    row->addWidget(m_openLocation);
    row->addWidget(m_stop);
    layout->addLayout(row);
    setContentSize(QSize(620, 400));

    connect(m_stop, &QPushButton::clicked, this, &MakeAlbumWindow::requestStop);
    connect(m_openLocation, &QPushButton::clicked, this, &MakeAlbumWindow::openOutputFolder);
    connect(&m_runner, &JobRunner::phaseStarted, this, [this](int total, const QString&) {
        m_albumBar->setRange(0, std::max(1, total));
        m_albumBar->setValue(0);
        m_activityBar->setRange(0, 0);  // busy while the encoder works
        m_stop->setEnabled(true);
        m_doneAtClockStart = -1;
    });
    connect(&m_runner, &JobRunner::progressed, this, &MakeAlbumWindow::onProgress);
    connect(&m_runner, &JobRunner::logged, m_log, &QPlainTextEdit::appendPlainText);
}

void MakeAlbumWindow::prepare(const MakeOutput& output) {
    m_outputPath = output.path;
    m_savedName->setText(QStringLiteral("保存文件名: %1").arg(output.savedName));
    m_log->clear();
    m_openWhenDone->setChecked(false);
    for (QProgressBar* b : {m_albumBar, m_activityBar}) {
        b->setRange(0, 1);
        b->setValue(0);
    }
    m_timeLeft->setText(timeLeftText(std::nullopt));
    m_stop->setText(QStringLiteral("停止制作"));
    m_stop->setEnabled(false);  // until the build has started
    m_doneAtClockStart = -1;
}

Result<AlbumReport> MakeAlbumWindow::makeAlbumTo(const MakeOutput& output) {
    // One album at a time; the running one keeps its window as it is.
    const auto beingMade = [] {
        return fail(problemError(Problem::AlbumBeingMade,
                                 QStringLiteral("An album is already being made.")));
    };
    if (m_runner.isRunning()) return beingMade();
    prepare(output);
    auto report = std::make_shared<AlbumReport>();
    AlbumRequest request;
    request.output = output.path;
    request.replaceExisting = output.replaces;  // the user agreed to replace it
    request.wordLog = chineseLogText;
    const bool started =
        m_session.startJob(m_runner,
                           [report, request](ProjectModel& model, const WorkingFolder& folder,
                                             Progress& progress) -> Result<void> {
                               auto made = makeAlbum(model, folder, request, progress);
                               if (!made) return std::unexpected(made.error());
                               *report = std::move(*made);
                               return {};
                           });
    if (!started) return beingMade();

    JobOutcome outcome{fail(QStringLiteral("the album build never ended"), ErrorKind::Internal)};
    const auto link = connect(&m_runner, &JobRunner::finished, this, [&](const JobOutcome& o) {
        outcome = o;
        done(o.succeeded() ? QDialog::Accepted : QDialog::Rejected);
    });
    exec();
    disconnect(link);
    if (!outcome.succeeded()) return std::unexpected(outcome.result.error());
    if (m_openWhenDone->isChecked()) openOutputFolder();
    return *report;
}

void MakeAlbumWindow::showLog() {
    if (m_runner.isRunning()) return;
    m_stop->setEnabled(false);
    m_log->moveCursor(QTextCursor::End);
    exec();
}

void MakeAlbumWindow::onProgress(int done, int total) {
    if (total > 0 && m_albumBar->maximum() != total) m_albumBar->setRange(0, total);
    m_albumBar->setValue(done);
    // The first half of the bar is the lists, made at once; the clock starts
    // when they are done, so the estimate is the rate of the frames alone.
    if (m_doneAtClockStart < 0) {
        if (total <= 0 || done < total / 2) return;
        m_doneAtClockStart = done;
        m_clock.start();
        return;
    }
    const auto left = estimateTimeLeft(done - m_doneAtClockStart, total - done,
                                       std::chrono::milliseconds(m_clock.elapsed()));
    m_timeLeft->setText(timeLeftText(left));
    if (done >= total) {
        m_activityBar->setRange(0, 1);
        m_activityBar->setValue(1);
    }
}

void MakeAlbumWindow::requestStop() {
    if (!m_runner.isRunning()) return;
    m_runner.requestStop();
    m_stop->setEnabled(false);
    m_stop->setText(QStringLiteral("正在停止..."));
}

// The close control and Esc stop the build; the window stays until the build
// has really ended, so nothing runs unseen.
void MakeAlbumWindow::reject() {
    if (m_runner.isRunning()) {
        requestStop();
        return;
    }
    FramedWindow::reject();
}

void MakeAlbumWindow::openOutputFolder() const {
    // A picture sequence's folder is itself the place to look at.
    const QFileInfo output(m_outputPath);
    const QString folder =
        output.isDir() ? output.absoluteFilePath() : output.absoluteDir().absolutePath();
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

}  // namespace orvane
