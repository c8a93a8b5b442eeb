#include "gui/lyrics/karaoke_editor_window.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "audio/karaoke_files.h"
#include "audio/media_player.h"
#include "audio/script_converter.h"
#include "base/media_file_kind.h"
#include "gui/lyrics/karaoke_init_window.h"
#include "gui/lyrics/karaoke_match_window.h"
#include "gui/lyrics/karaoke_panel.h"
#include "gui/lyrics/karaoke_style_window.h"
#include "gui/lyrics/lyric_controls.h"
#include "gui/shell/button_row.h"
#include "gui/shell/command_button.h"
#include "gui/shell/file_chooser.h"
#include "gui/shell/message_window.h"
#include "session/session.h"

namespace orvane {

namespace {

const QString kZeroTime = QStringLiteral("00:00:00");
constexpr QSize kDocumentedSize(1010, 640);
constexpr int kRightWidth = 180;  // the song list and the commands beside the panel

QString hourClock(qint64 ms) {
    const auto two = [](qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return two(ms / 3600000) + QLatin1Char(':') + two(ms / 60000 % 60) + QLatin1Char(':') +
           two(ms / 1000 % 60);
}

QString used(bool flag) { return flag ? QStringLiteral("使用") : QStringLiteral("无"); }

QStringList listRow(const KaraokeEntry& e) {
    return {
        e.index,
        e.name,
        e.colorName,
        e.fillColorName,
        e.fontName,
        QString::number(e.fontSize),
        used(e.bold),
        used(e.italic),
        used(e.underline),
        e.location,
        e.script == KaraokeScript::Traditional ? QStringLiteral("繁体") : QStringLiteral("简体")};
}

}  // namespace

KaraokeEditorWindow::KaraokeEditorWindow(Session& session, const Skin& skin, MediaPlayer& player,
                                         MessageWindow& messages, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm46"), QStringLiteral("卡拉OK设置"), skin, parent),
      m_session(session),
      m_player(player),
      m_messages(messages),
      m_converter(std::make_unique<ScriptConverter>()) {
    QWidget* c = content();
    const auto q = [](const char* s) { return QString::fromUtf8(s); };

    // Left: the preview panel over the entry list; right: the song list,
    // the clock, the preview buttons and the table commands, "返     回" at
    // the bottom.
    auto* columns = new QHBoxLayout(c);
    columns->setContentsMargins(10, 8, 10, 10);
    columns->setSpacing(10);
    auto* left = new QVBoxLayout;
    left->setSpacing(10);
    columns->addLayout(left);
    auto* right = new QVBoxLayout;
    right->setSpacing(0);
    columns->addLayout(right);

    // The panel keeps its size: row positions are read from it at this scale.
    m_panel = new KaraokePanel(c);
    left->addSpacing(2);
    left->addWidget(m_panel);
    m_list = new QTreeWidget(c);
    m_list->setObjectName(QStringLiteral("suiListView_ksc"));
    m_list->setAccessibleName(q("卡拉OK歌词"));
    m_list->setMinimumHeight(160);
    left->addWidget(m_list, 1);

    auto* songCaption = new QLabel(q("选择音乐文件"), c);
    m_songs = new QListWidget(c);
    m_songs->setObjectName(QStringLiteral("ListBox_yinyue"));
    m_songs->setAccessibleName(songCaption->text());
    m_songs->setMinimumHeight(200);
    right->addStrut(kRightWidth);
    songCaption->setBuddy(m_songs);
    right->addWidget(songCaption);
    right->addSpacing(2);
    right->addWidget(m_songs);
    right->addSpacing(8);

    auto* clock = new QGridLayout;
    clock->setHorizontalSpacing(10);
    clock->setVerticalSpacing(2);
    auto* currentCaption = new QLabel(q("当前时间"), c);
    auto* totalCaption = new QLabel(q("总时间"), c);
    m_current = new QLineEdit(kZeroTime, c);
    m_current->setObjectName(QStringLiteral("Edit_dangqian_shijian"));
    m_total = new QLineEdit(kZeroTime, c);
    m_total->setObjectName(QStringLiteral("Edit_zong_shijian"));
    const std::pair<QLabel*, QLineEdit*> times[] = {{currentCaption, m_current},
                                                    {totalCaption, m_total}};
    for (int i = 0; i < 2; ++i) {
        auto [caption, edit] = times[i];
        edit->setReadOnly(true);
        // Room for "00:00:00" in whatever font the window's style gives.
        edit->setStyleSheet(QStringLiteral("QLineEdit { min-width: 5em; }"));
        edit->setAccessibleName(caption->text());
        caption->setBuddy(edit);
        clock->addWidget(caption, 0, i);
        clock->addWidget(edit, 1, i);
    }
    clock->setRowMinimumHeight(1, 26);
    right->addLayout(clock);
    right->addSpacing(10);

    auto* preview = new ButtonRow(c, ButtonRow::Align::Fill);
    preview->setSpacing(4);
    auto* playButton = preview->addButton(q("播放"), QStringLiteral("Button_bofang"));
    auto* pauseButton = preview->addButton(q("暂停"), QStringLiteral("Button_zanting"));
    auto* stopButton = preview->addButton(q("停止"), QStringLiteral("Button_tingzhi"));
    right->addLayout(preview);
    right->addSpacing(26);

    const auto command = [&](const char* name, const char* caption) {
        auto* b = new CommandButton(q(caption), q(name), c);
        right->addWidget(b);
        right->addSpacing(6);
        return b;
    };
    auto* importButton = command("Button_daoru", "导入卡拉OK歌词");
    auto* removeButton = command("Button_shanchu", "删除歌词");
    auto* removeAllButton = command("Button_quanshan", "全删歌词");
    auto* styleButton = command("Button_shezhi", "设置歌词");
    auto* matchButton = command("Button_pipei", "查看匹配");
    right->addStretch(1);
    auto* backButton = new CommandButton(q("返     回"), QStringLiteral("Button_fanhui"), c);
    right->addWidget(backButton);

    for (CommandButton* b : {playButton, pauseButton, stopButton, importButton, removeButton,
                             removeAllButton, styleButton, matchButton, backButton})
        b->setLeastSize(QSize(0, 28));
    for (QPushButton* b : {playButton, pauseButton, stopButton, importButton, removeButton,
                           removeAllButton, styleButton, matchButton})
        m_controls.push_back(b);
    pointAtButtons(c);

    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({q("序号"), q("歌词名称"), q("歌词颜色"), q("渲染颜色"), q("歌词字体"),
                             q("歌词大小"), q("粗体"), q("斜体"), q("下划线"), q("歌词位置"),
                             q("简体或繁体")});
    const int widths[] = {44, 120, 70, 70, 70, 60, 44, 44, 52, 220, 70};
    for (int i = 0; i < 11; ++i) m_list->setColumnWidth(i, widths[i]);
    m_controls.push_back(m_list);
    m_controls.push_back(m_songs);
    fitContent(kDocumentedSize);

    // A click beside the entries is answered too ("没有选中卡拉OK歌词！").
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { clickEntry(m_list->indexOfTopLevelItem(item)); });
    connect(m_songs, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseSong(m_songs->row(item)); });
    connect(playButton, &QPushButton::clicked, this, &KaraokeEditorWindow::play);
    connect(pauseButton, &QPushButton::clicked, this, &KaraokeEditorWindow::pause);
    connect(stopButton, &QPushButton::clicked, this, &KaraokeEditorWindow::stopPreview);
    connect(importButton, &QPushButton::clicked, this, &KaraokeEditorWindow::importFiles);
    connect(removeButton, &QPushButton::clicked, this, &KaraokeEditorWindow::removeSelected);
    connect(removeAllButton, &QPushButton::clicked, this, &KaraokeEditorWindow::removeAll);
    connect(styleButton, &QPushButton::clicked, this, &KaraokeEditorWindow::editStyle);
    connect(matchButton, &QPushButton::clicked, this, &KaraokeEditorWindow::showMatches);
    connect(backButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_panel, &KaraokePanel::rowsMoved, this, &KaraokeEditorWindow::storeRows);

    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &KaraokeEditorWindow::tick);
    m_calibrationTick.setInterval(1);
    m_calibrationEnd.setSingleShot(true);
    m_calibrationEnd.setInterval(1000);
    connect(&m_calibrationTick, &QTimer::timeout, this, [this] { ++m_calibrationCount; });
    connect(&m_calibrationEnd, &QTimer::timeout, this, [this] {
        m_calibrationTick.stop();
        m_ticksPerSecond = std::max(1, m_calibrationCount);
        setControlsEnabled(true);
    });
}

KaraokeEditorWindow::~KaraokeEditorWindow() = default;

bool KaraokeEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease &&
        m_list->isEnabled()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !m_list->itemAt(mouse->position().toPoint()))
            clickEntry(-1);
    }
    return FramedWindow::eventFilter(watched, event);
}

void KaraokeEditorWindow::setHelpers(KaraokeInitWindow& init, KaraokeStyleWindow& style,
                                     KaraokeMatchWindow& match,
                                     std::function<FileChooser&()> chooser) {
    m_init = &init;
    m_style = &style;
    m_match = &match;
    m_chooser = std::move(chooser);
}

void KaraokeEditorWindow::openEditor() {
    if (m_init)
        m_init->initialise(*this);
    else
        prepare();
    exec();
}

void KaraokeEditorWindow::prepare() {
    const AlbumSettings& s = m_session.model().settings;
    resetPreview();
    m_panel->setRows(previewKaraokeRows(s.karaokeRowALeft, s.karaokeRowATop, s.karaokeRowBTop));
    setControlsEnabled(false);
    if (!m_initialised) {
        startCalibration();
    } else {
        setControlsEnabled(true);
    }
    m_current->setText(kZeroTime);
    m_total->setText(kZeroTime);
    m_song = -1;
    m_initialised = true;
    m_songs->clear();
    for (const MusicEntry& song : m_session.model().music) m_songs->addItem(song.fileName);
    rebuildList();
}

void KaraokeEditorWindow::startCalibration() {
    m_calibrationCount = 0;
    m_calibrationTick.start();
    m_calibrationEnd.start();
}

void KaraokeEditorWindow::setControlsEnabled(bool on) {
    for (QWidget* w : m_controls) w->setEnabled(on);
}

void KaraokeEditorWindow::rebuildList() {
    m_list->clear();
    for (const KaraokeEntry& e : m_session.model().karaoke) new QTreeWidgetItem(m_list, listRow(e));
    if (m_clicked >= m_list->topLevelItemCount()) m_clicked = -1;
}

void KaraokeEditorWindow::storeRows(KaraokePanelRows rows) {
    const KaraokeGeometry album = albumKaraokeGeometry(rows.rowALeft, rows.rowATop, rows.rowBTop);
    ProjectModel next = m_session.model();
    next.settings.karaokeRowALeft = album.rowALeft;
    next.settings.karaokeRowATop = album.rowATop;
    next.settings.karaokeRowBTop = album.rowBTop;
    m_session.commit(std::move(next));
}

void KaraokeEditorWindow::importFiles() {
    if (!m_chooser) return;
    const QString proposed = toQString(m_session.folder().root() / "yinyuegeci" / "甜蜜蜜.ksc");
    setControlsEnabled(false);
    const QStringList files = m_chooser().openFiles(
        this, QStringLiteral("导入卡拉OK歌词"),
        mediaDialogFilter(QStringLiteral("导入卡拉OK歌词文件 (KSC)"), MediaFileKind::Karaoke),
        QFileInfo::exists(proposed) ? proposed : QString());
    if (!files.isEmpty()) {
        ProjectModel next = m_session.model();
        addKaraokeFiles(next, files);
        m_session.commit(std::move(next));
        rebuildList();
    }
    setControlsEnabled(true);
}

void KaraokeEditorWindow::clickEntry(int row) {
    const ProjectModel& model = m_session.model();
    if (model.karaoke.empty()) {
        m_messages.showMessage(QStringLiteral("没有导入卡拉OK歌词！"));
        return;
    }
    if (row < 0 || row >= model.karaoke.count()) {
        m_messages.showMessage(QStringLiteral("没有选中卡拉OK歌词！"));
        return;
    }
    m_clicked = row;
    if (QTreeWidgetItem* item = m_list->topLevelItem(row); item && !item->isSelected()) {
        m_list->setCurrentItem(item);
    }
    loadPreview(row);
}

void KaraokeEditorWindow::loadPreview(int row) {
    const ProjectModel& model = m_session.model();
    m_panel->setLook(model.karaoke.at(static_cast<std::size_t>(row)));
    Result<KscDocument> parsed =
        parseKaraokeRow(model, row, *m_converter, KaraokePanel::kSize.width());
    if (!parsed) {
        m_panel->timeline().load({});
        m_panel->update();
        m_messages.showMessage(parsed.error().message);
        return;
    }
    m_panel->timeline().load(std::move(*parsed), std::max(1, m_ticksPerSecond));
    m_lastClock.clear();
    m_sweepLine = -1;
    m_panel->update();
}

void KaraokeEditorWindow::resetPreview() {
    m_timer.stop();
    m_panel->timeline().clearLabels();
    m_lastClock.clear();
    m_sweepLine = -1;
    m_current->setText(kZeroTime);
    m_panel->update();
}

void KaraokeEditorWindow::removeSelected() {
    const ProjectModel& model = m_session.model();
    if (model.karaoke.empty()) {
        m_messages.showMessage(QStringLiteral("没有导入卡拉OK歌词文件！"));
        return;
    }
    std::vector<int> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->isSelected()) rows.push_back(i);
    if (rows.empty()) {
        m_messages.showMessage(QStringLiteral("没有选中卡拉OK歌词文件！"));
        return;
    }
    stopPreview();
    m_panel->timeline().load({});
    m_clicked = -1;
    ProjectModel next = model;
    removeKaraokeRows(next, rows);
    m_session.commit(std::move(next));
    rebuildList();
    m_messages.showMessage(QStringLiteral("卡拉OK歌词已经删除！"));
}

void KaraokeEditorWindow::removeAll() {
    if (m_session.model().karaoke.empty()) {
        m_messages.showMessage(QStringLiteral("没有导入卡拉OK歌词文件！"));
        return;
    }
    stopPreview();
    m_panel->timeline().load({});
    m_clicked = -1;
    ProjectModel next = m_session.model();
    next.karaoke.clear();
    m_session.commit(std::move(next));
    rebuildList();
    m_messages.showMessage(QStringLiteral("导入的卡拉OK歌词已全部删除！"));
}

void KaraokeEditorWindow::editStyle() {
    const ProjectModel& model = m_session.model();
    if (model.karaoke.empty()) {
        m_messages.showMessage(QStringLiteral("没有导入卡拉OK歌词文件！"));
        return;
    }
    if (m_clicked < 0 || m_clicked >= model.karaoke.count() || !m_style) {
        m_messages.showMessage(QStringLiteral("没有选中卡拉OK歌词文件！"));
        return;
    }
    const int row = m_clicked;
    std::optional<KaraokeEntry> chosen =
        m_style->editEntry(model.karaoke.at(static_cast<std::size_t>(row)));
    if (!chosen) return;
    ProjectModel next = m_session.model();
    next.karaoke.at(static_cast<std::size_t>(row)) = *chosen;
    m_session.commit(std::move(next));
    rebuildList();
    if (QTreeWidgetItem* item = m_list->topLevelItem(row)) m_list->setCurrentItem(item);
    m_clicked = row;
    const bool wasPlaying = m_timer.isActive();
    loadPreview(row);
    if (wasPlaying) m_timer.start();
}

void KaraokeEditorWindow::showMatches() {
    if (m_match) m_match->showMatches(m_session.model());
}

void KaraokeEditorWindow::chooseSong(int row) {
    const ProjectModel& model = m_session.model();
    if (row < 0 || row >= model.music.count()) return;
    resetPreview();
    if (!m_player.fileName().isEmpty()) m_player.stop();
    m_player.setFileName(model.music.at(static_cast<std::size_t>(row)).location);
    if (Result<void> opened = m_player.open(); !opened) {
        m_song = -1;
        m_player.setFileName({});
        m_messages.showMessage(opened.error().message);
        return;
    }
    m_song = row;
    m_total->setText(hourClock(m_player.lengthMs()));
}

void KaraokeEditorWindow::play() {
    const ProjectModel& model = m_session.model();
    if (model.karaoke.empty()) {
        m_messages.showMessage(QStringLiteral("没有导入卡拉OK歌词文件！"));
        return;
    }
    if (m_song < 0 || m_player.fileName().isEmpty()) {
        m_messages.showMessage(QStringLiteral("没有选择音乐文件！"));
        return;
    }
    // With no entry clicked yet the first one is previewed.
    if (m_clicked < 0) clickEntry(0);
    if (Result<void> started = m_player.play(); !started) {
        m_messages.showMessage(started.error().message);
        return;
    }
    m_timer.start();
}

void KaraokeEditorWindow::pause() {
    if (m_player.mode() != MediaPlayer::Mode::Playing) return;
    m_player.pause();
    m_timer.stop();
}

void KaraokeEditorWindow::stopPreview() {
    if (!m_player.fileName().isEmpty()) m_player.stop();
    resetPreview();
}

void KaraokeEditorWindow::tick() {
    const qint64 position = m_player.positionMs();
    m_current->setText(hourClock(position));
    const QString clock = m_current->text().right(5);
    KaraokeTimeline& timeline = m_panel->timeline();
    if (clock != m_lastClock) {
        m_lastClock = clock;
        const int before = timeline.sweepLine();
        timeline.applyClock(clock);
        if (timeline.sweeping() && (timeline.sweepLine() != before || m_sweepLine < 0)) {
            m_sweepLine = timeline.sweepLine();
            m_sweepStartMs = position;
            m_sweepTicks = 0;
        }
    }
    if (timeline.sweeping()) {
        // One pixel per calibrated tick, as many ticks as the song has played.
        const qint64 due = (position - m_sweepStartMs) * std::max(1, m_ticksPerSecond) / 1000;
        for (int steps = 0; m_sweepTicks < due && steps < 4000; ++steps, ++m_sweepTicks)
            timeline.sweepStep();
    }
    m_panel->update();
    if (m_player.hasStopped()) stopPreview();
}

void KaraokeEditorWindow::done(int result) {
    stopPreview();
    FramedWindow::done(result);
}

}  // namespace orvane
