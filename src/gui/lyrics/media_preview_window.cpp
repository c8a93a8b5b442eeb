#include "gui/lyrics/media_preview_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "audio/lyric_style.h"
#include "audio/media_player.h"
#include "base/album_time.h"
#include "gui/lyrics/lyric_controls.h"
#include "gui/lyrics/lyric_label.h"
#include "gui/shell/command_button.h"
#include "gui/shell/message_window.h"
#include "session/session.h"

namespace orvane {

namespace {

const QString kZero = QStringLiteral("00:00");

QLabel* makeCaption(QWidget* parent, const QString& text, QRect place) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    return label;
}

}  // namespace

MediaPreviewWindow::MediaPreviewWindow(Variant variant, Session& session, const Skin& skin,
                                       MediaPlayer& player, MessageWindow& messages,
                                       QWidget* parent)
    : FramedWindow(
          variant == Variant::Music ? QStringLiteral("TForm28") : QStringLiteral("TForm29"),
          variant == Variant::Music ? QStringLiteral("音乐预览") : QStringLiteral("歌词预览"), skin,
          parent),
      m_variant(variant),
      m_session(session),
      m_player(player),
      m_messages(messages) {
    setContentSize(QSize(919, 480));
    QWidget* c = content();

    makeCaption(c, QStringLiteral("选择音乐文件"), QRect(10, 8, 200, 20));
    m_songs = new QListWidget(c);
    m_songs->setObjectName(QStringLiteral("ListBox_yinyue"));
    m_songs->setGeometry(10, 30, 210, 170);
    makeCaption(c, QStringLiteral("选择歌词文件"), QRect(10, 208, 200, 20));
    m_lyrics = new QListWidget(c);
    m_lyrics->setObjectName(QStringLiteral("ListBox_geci"));
    m_lyrics->setGeometry(10, 230, 210, 170);

    m_area = new QWidget(c);
    m_area->setObjectName(QStringLiteral("Panel_geci"));
    m_area->setGeometry(230, 10, kLyricArea.width(), kLyricArea.height());
    m_area->setAutoFillBackground(true);
    m_area->setStyleSheet(QStringLiteral("#Panel_geci { background: black; }"));
    m_lyricLabel = new LyricLabelWidget(QStringLiteral("Label_geci"), m_area);

    makeCaption(c, QStringLiteral("音乐文件"), QRect(230, 412, 60, 24));
    m_songName = new QLineEdit(c);
    m_songName->setObjectName(QStringLiteral("Edit_yinyue"));
    m_songName->setReadOnly(true);
    m_songName->setGeometry(292, 410, 250, 26);
    makeCaption(c, QStringLiteral("歌词文件"), QRect(556, 412, 60, 24));
    m_lyricName = new QLineEdit(c);
    m_lyricName->setObjectName(QStringLiteral("Edit_geci"));
    m_lyricName->setReadOnly(true);
    m_lyricName->setGeometry(618, 410, 170, 26);
    m_lyricIndex = new QLineEdit(QStringLiteral("0"), c);
    m_lyricIndex->setObjectName(QStringLiteral("Edit_geci_xuhao"));
    m_lyricIndex->hide();

    m_elapsed = makeCaption(c, kZero, QRect(800, 412, 48, 24));
    m_elapsed->setObjectName(QStringLiteral("Label_dangqian_shijian"));
    m_elapsed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    makeCaption(c, QStringLiteral("/"), QRect(852, 412, 8, 24));
    m_total = makeCaption(c, kZero, QRect(862, 412, 48, 24));
    m_total->setObjectName(QStringLiteral("Label_zong_shijian"));

    auto* playButton = new CommandButton(
        variant == Variant::Music ? QStringLiteral("播放音乐") : QStringLiteral("预览歌词"),
        QStringLiteral("Button_bofang"), c);
    playButton->setGeometry(10, 410, 100, 28);
    auto* stopButton =
        new CommandButton(QStringLiteral("停止播放"), QStringLiteral("Button_tingzhi"), c);
    stopButton->setGeometry(120, 410, 100, 28);
    auto* back =
        new CommandButton(QStringLiteral("返        回"), QStringLiteral("Button_fanhui"), c);
    back->setGeometry(10, 446, 210, 28);
    pointAtButtons(c);

    connect(m_songs, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseSong(m_songs->row(item)); });
    connect(m_lyrics, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseLyric(m_lyrics->row(item)); });
    connect(playButton, &QPushButton::clicked, this, &MediaPreviewWindow::play);
    connect(stopButton, &QPushButton::clicked, this, &MediaPreviewWindow::stopPreview);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    // Often enough to change the line within the second its tag names.
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &MediaPreviewWindow::refresh);
}

void MediaPreviewWindow::openPreview() {
    const ProjectModel& model = m_session.model();
    if (m_variant == Variant::Music && model.music.empty()) {
        m_messages.showMessage(QStringLiteral("没有添加音乐文件,不能音乐预览！"));
        return;
    }
    if (m_variant == Variant::Lyric) {
        if (model.lyrics.empty()) {
            m_messages.showMessage(QStringLiteral("没有添加歌词文件,不能歌词预览！"));
            return;
        }
        if (model.music.empty()) {
            m_messages.showMessage(
                QStringLiteral("没有找到音乐文件,添加音乐文件后再进行歌词预览！"));
            return;
        }
    }
    refill();
    exec();
}

void MediaPreviewWindow::refill() {
    const ProjectModel& model = m_session.model();
    m_songs->clear();
    for (const MusicEntry& song : model.music) m_songs->addItem(song.fileName);
    m_lyrics->clear();
    for (const LyricEntry& lyric : model.lyrics) m_lyrics->addItem(lyric.fileName);
    m_song = -1;
    m_lyric = -1;
    m_timeTable.clear();
    m_elapsed->setText(kZero);
    m_total->setText(kZero);
    m_songName->clear();
    m_lyricName->clear();
    m_lyricIndex->setText(QStringLiteral("0"));
    showLine({});
}

void MediaPreviewWindow::chooseSong(int row) {
    const ProjectModel& model = m_session.model();
    if (row < 0 || row >= model.music.count()) return;
    const MusicEntry& song = model.music.at(static_cast<std::size_t>(row));
    m_song = row;
    m_songName->setText(song.fileName);
    if (!m_player.fileName().isEmpty()) m_player.stop();
    m_player.setFileName(song.location);
    if (Result<void> opened = m_player.open(); !opened) {
        m_song = -1;
        m_player.setFileName({});
        m_messages.showMessage(opened.error().message);
        return;
    }
    m_player.stop();
    m_total->setText(clockText(static_cast<int>(m_player.lengthMs() / 1000)));
}

void MediaPreviewWindow::chooseLyric(int row) {
    const ProjectModel& model = m_session.model();
    if (row < 0 || row >= model.lyrics.count()) return;
    const LyricEntry& lyric = model.lyrics.at(static_cast<std::size_t>(row));
    m_lyric = row;
    m_lyricName->setText(lyric.fileName);
    m_lyricIndex->setText(QString::number(row));
    Result<LrcTables> parsed = parseLrcFile(lyric.location);
    if (!parsed) {
        m_timeTable.clear();
        m_messages.showMessage(parsed.error().message);
        return;
    }
    m_timeTable = std::move(parsed->timeTable);
}

void MediaPreviewWindow::play() {
    if (m_variant == Variant::Music && m_song < 0) {
        m_messages.showMessage(QStringLiteral("没有选择音乐文件！"));
        return;
    }
    if (m_variant == Variant::Lyric) {
        if (m_lyric < 0) {
            m_messages.showMessage(QStringLiteral("没有选择歌词文件！"));
            return;
        }
        if (m_song < 0) {
            m_messages.showMessage(
                QStringLiteral("没有选择音乐文件！选择音乐文件后再进行歌词预览"));
            return;
        }
    }
    const ProjectModel& model = m_session.model();
    if (m_song >= model.music.count()) return;
    if (!m_player.fileName().isEmpty()) m_player.stop();
    m_player.setFileName(model.music.at(static_cast<std::size_t>(m_song)).location);
    Result<void> started = m_player.open();
    if (started) started = m_player.play();
    if (!started) {
        m_messages.showMessage(started.error().message);
        return;
    }
    m_total->setText(clockText(static_cast<int>(m_player.lengthMs() / 1000)));
    m_timer.start();
}

void MediaPreviewWindow::refresh() {
    const ProjectModel& model = m_session.model();
    if (!model.music.empty())
        m_elapsed->setText(clockText(static_cast<int>(m_player.positionMs() / 1000)));
    if (!model.lyrics.empty())
        if (const LrcRow* row = lookupLrcLine(m_timeTable, m_elapsed->text())) showLine(row->text);
    if (m_player.hasStopped()) stopPreview();
}

void MediaPreviewWindow::showLine(const QString& text) {
    const ProjectModel& model = m_session.model();
    const int index = m_lyricIndex->text().toInt();
    if (text.isEmpty() || index < 0 || index >= model.lyrics.count()) {
        m_lyricLabel->clear();
        m_lyricLabel->hide();
        return;
    }
    const LyricEntry& lyric = model.lyrics.at(static_cast<std::size_t>(index));
    const LyricLabel label =
        styleLyricLabel(lyric, text, kLyricArea, kLyricArea.width(), m_lyricLabel->pos());
    m_lyricLabel->apply(text, label);
}

QString MediaPreviewWindow::shownLine() const {
    return m_lyricLabel->isVisibleTo(m_area) ? m_lyricLabel->text() : QString();
}

void MediaPreviewWindow::stopPreview() {
    m_timer.stop();
    showLine({});
    m_elapsed->setText(kZero);
    if (!m_player.fileName().isEmpty()) {
        m_player.stop();
        m_player.setFileName({});
    }
}

void MediaPreviewWindow::done(int result) {
    stopPreview();
    FramedWindow::done(result);
}

}  // namespace orvane
