#include "gui/main/window_set.h"

#include <QAction>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "audio/media_player.h"
#include "gui/album/album_length_window.h"
#include "gui/album/album_make_command.h"
#include "gui/album/album_preview_window.h"
#include "gui/album/lyric_kind_window.h"
#include "gui/album/make_album_window.h"
#include "gui/album/output_size_window.h"
#include "gui/effects/effects_commands.h"
#include "gui/effects/text_effect_window.h"
#include "gui/lyrics/karaoke_editor_window.h"
#include "gui/lyrics/karaoke_init_window.h"
#include "gui/lyrics/karaoke_match_window.h"
#include "gui/lyrics/karaoke_style_window.h"
#include "gui/lyrics/lyric_commands.h"
#include "gui/lyrics/lyric_settings_window.h"
#include "gui/lyrics/media_preview_window.h"
#include "gui/main/info_commands.h"
#include "gui/main/main_window.h"
#include "gui/main/pane_menus.h"
#include "gui/main/project_commands.h"
#include "gui/main/summary_panel.h"
#include "gui/media/media_commands.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/media_pane.h"
#include "gui/panes/pane_hint_window.h"
#include "gui/panes/preview_box.h"
#include "gui/panes/text_hint_window.h"
#include "gui/settings/other_settings_window.h"
#include "gui/shell/exit_window.h"
#include "gui/shell/hot_label.h"
#include "gui/shell/message_window.h"
#include "gui/shell/processing_window.h"
#include "gui/shell/question_window.h"
#include "gui/shell/shell_window.h"
#include "gui/templates/template_manager_window.h"
#include "gui/templates/template_preview_window.h"
#include "session/project_document.h"

namespace orvane {

namespace {

// The sharpest ratio any screen needs.
qreal largestPixelRatio() {
    qreal ratio = 1;
    for (const QScreen* screen : QGuiApplication::screens())
        ratio = std::max(ratio, screen->devicePixelRatio());
    return ratio;
}

}  // namespace

template <typename W>
W* WindowSet::adopt(std::unique_ptr<W> window) {
    W* raw = window.get();
    m_order.push_back(raw);
    m_owned.push_back(std::move(window));
    return raw;
}

template <typename W, typename... Args>
W* WindowSet::make(Args&&... args) {
    return adopt(std::make_unique<W>(std::forward<Args>(args)...));
}

WindowSet::WindowSet(Session& session)
    : m_skin(largestPixelRatio()),
      m_mediaPlayer(std::make_unique<MediaPlayer>()),
      m_document(std::make_unique<ProjectDocument>(session)) {
    const auto shell = [this](const char* name, const char* caption) {
        make<ShellWindow>(QString::fromUtf8(name), QString::fromUtf8(caption), m_skin);
    };
    m_main = make<MainWindow>(session, m_skin);
    MediaWindows media;
    media.addPhotos = adopt(makePhotoImportWindow(m_skin));
    m_makeAlbum = make<MakeAlbumWindow>(session, m_skin);
    auto* albumLength = make<AlbumLengthWindow>(session, m_skin);
    make<TextEffectWindow>(session, m_skin,
                           [this](const QString& text) { m_message->showMessage(text); });
    media.addMusic = adopt(makeMusicImportWindow(m_skin));
    m_message = make<MessageWindow>(m_skin);
    media.addLyrics = adopt(makeLyricImportWindow(m_skin));
    media.supplementChoice = adopt(makeSupplementChoiceWindow(m_skin));
    media.manualSupplement = adopt(makeManualSupplementWindow(m_skin));
    media.deletePhotos = adopt(
        makeDeleteQuestionWindow(QStringLiteral("TForm11"), QStringLiteral("删除相片"), m_skin));
    media.deleteMusic = adopt(
        makeDeleteQuestionWindow(QStringLiteral("TForm12"), QStringLiteral("删除音乐"), m_skin));
    media.deleteLyrics = adopt(
        makeDeleteQuestionWindow(QStringLiteral("TForm13"), QStringLiteral("删除歌词"), m_skin));
    media.bindQuestion = adopt(makeBindQuestionWindow(m_skin));
    media.bindChoice = adopt(makeBindChoiceWindow(m_skin));
    m_lyricWindows.lyricSettings = make<LyricSettingsWindow>(session, m_skin);
    auto* otherSettings = make<OtherSettingsWindow>(session, m_skin);
    m_exit = make<ExitWindow>(m_skin);
    m_lyricWindows.musicPreview = make<MediaPreviewWindow>(
        MediaPreviewWindow::Variant::Music, session, m_skin, *m_mediaPlayer, *m_message);
    m_lyricWindows.lyricPreview = make<MediaPreviewWindow>(
        MediaPreviewWindow::Variant::Lyric, session, m_skin, *m_mediaPlayer, *m_message);
    attachButtonHints(*make<TextHintWindow>());
    // The panes make their own hint windows TForm31–TForm33.
    m_browser = new MediaBrowser(session, m_main->panesHost());
    for (PaneKind pane : kPaneKinds) m_order.push_back(m_browser->pane(pane)->hintWindow());
    m_lyricWindows.templatePreview = make<TemplatePreviewWindow>(session, m_skin, *m_message);
    m_processing = make<ProcessingWindow>(m_skin);
    m_outputSize = make<OutputSizeWindow>(session, m_skin);
    shell("TForm50", "歌词软件");
    m_lyricWindows.karaokeEditor =
        make<KaraokeEditorWindow>(session, m_skin, *m_mediaPlayer, *m_message);
    m_lyricWindows.karaokeInit = make<KaraokeInitWindow>(m_skin);
    m_lyricWindows.karaokeStyle = make<KaraokeStyleWindow>(m_skin);
    m_lyricKind = make<LyricKindWindow>(session, m_skin);
    m_lyricWindows.karaokeMatch = make<KaraokeMatchWindow>(m_skin);
    shell("TForm4", "");
    // Windows of our own come after the documented ones.
    m_albumPreview = make<AlbumPreviewWindow>(session, m_skin);
    auto* saveQuestion = make<QuestionWindow>(
        QStringLiteral("TFormSaveProject"), QStringLiteral("保存工程"),
        std::vector<WindowButton>{{QStringLiteral("Button_baocun"), QStringLiteral("保存")},
                                  {QStringLiteral("Button_bubaocun"), QStringLiteral("不保存")},
                                  {QStringLiteral("Button_quxiao"), QStringLiteral("取消")}},
        m_skin);
    m_replaceQuestion = make<QuestionWindow>(
        QStringLiteral("TFormReplace"), QStringLiteral("提示信息"),
        std::vector<WindowButton>{{QStringLiteral("Button_tihuan"), QStringLiteral("替换")},
                                  {QStringLiteral("Button_quxiao"), QStringLiteral("取消")}},
        m_skin);
    m_leftOut = make<QuestionWindow>(
        QStringLiteral("TFormLeftOut"), QStringLiteral("提示信息"),
        std::vector<WindowButton>{
            {QStringLiteral("Button_queding"), QStringLiteral("确定")},
            {QStringLiteral("Button_chakanrizhi"), QStringLiteral("查看日志")}},
        m_skin);

    placePreviewAndSummary(session);
    connectCommands(session, *albumLength, *otherSettings);
    new MediaCommands(session, *this, media, m_main);
    connectLyricCommands(*this, session, m_lyricWindows);
    connectEffectsCommands(session, *this);
    connectTemplateCommands(session, *this);
    connectPaneMenus(*this);
    connectInfoCommands(session, *this);
    // Asks before the program ends (the exit window, or whether to save).
    new ProjectCommands(session, *this, *m_document, *saveQuestion, m_main);
}

void WindowSet::attachButtonHints(TextHintWindow& hints) {
    // Every command button and hot label of the main window that has a hint.
    for (QWidget* w : m_main->findChildren<QWidget*>()) {
        if (!qobject_cast<QPushButton*>(w) && !qobject_cast<HotLabel*>(w)) continue;
        if (w->accessibleDescription().isEmpty()) continue;
        if (auto* button = qobject_cast<QPushButton*>(w))
            button->setToolTip({});  // the hint window shows it instead
        hints.attach(w);
    }
}

void WindowSet::placePreviewAndSummary(Session& session) {
    m_browser->previewBox()->setParent(m_main->previewBoxHost());
    m_browser->previewBox()->show();
    new SummaryPanel(session, m_main->summaryPanelHost());
    // The hosts size their children on every layout.
    m_main->applyLayoutMode(m_main->layoutMode());
    QObject::connect(m_browser, &MediaBrowser::operationFailed, m_message,
                     &MessageWindow::showMessage);
}

void WindowSet::connectCommands(Session& session, AlbumLengthWindow& albumLength,
                                OtherSettingsWindow& otherSettings) {
    MediaBrowser* browser = m_browser;
    Commands& commands = m_main->commands();
    QObject::connect(m_main, &MainWindow::paneRequested, browser, &MediaBrowser::showPane);
    for (PaneKind pane : kPaneKinds) {
        QObject::connect(commands.action(pane, CommandId::ShowIcons), &QAction::triggered, browser,
                         [browser, pane] {
                             browser->showPane(pane);
                             browser->showIcons();
                         });
        QObject::connect(commands.action(pane, CommandId::ShowList), &QAction::triggered, browser,
                         [browser, pane] {
                             browser->showPane(pane);
                             browser->showList();
                         });
    }
    QObject::connect(commands.action(CommandId::AlbumLength), &QAction::triggered, m_main,
                     [&albumLength] { albumLength.exec(); });
    QObject::connect(commands.action(CommandId::OtherSettings), &QAction::triggered, m_main,
                     [&otherSettings] { otherSettings.exec(); });
    QObject::connect(commands.action(CommandId::PreviewAlbum), &QAction::triggered, m_main, [this] {
        if (QString why; !m_albumPreview->showAlbum(&why)) m_message->showMessage(why);
    });
    connectMakeCommands(session, *this);
}

// The other windows go first: none of them outlives the main window.
WindowSet::~WindowSet() {
    while (!m_owned.empty()) m_owned.pop_back();
}

Commands& WindowSet::commands() const { return m_main->commands(); }

QWidget* WindowSet::window(const QString& objectName) const {
    for (QWidget* w : m_order)
        if (w->objectName() == objectName) return w;
    return nullptr;
}

}  // namespace orvane
