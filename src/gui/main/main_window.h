#pragma once
// The main window MainWindow: no system frame; its title bar and bottom strip
// are cut from the main skin. It lays out, for the current layout mode
// (start layout, full screen, restore), its left command column with the
// preview box, the pane area with the command row under it (the album
// preview and the make commands), the side panels with their counters and
// commands, the summary panel "其它相关", the scrolling "帮助信息" and the
// labels of the bottom strip. Its counters refresh on the 50 ms summary
// tick and whenever the session commits a change. The panes, the summary
// lines and the commands' work are hosted or connected from outside (the
// pane area Panel_panes, the summary host Panel_qitaxiangguan, the signals).
// GUI thread only.

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "browser/pane_traits.h"
#include "browser/window_layout.h"
#include "gui/shell/commands.h"
#include "session/session.h"

class QLabel;
class QPushButton;
class QFrame;

namespace orvane {

class HotLabel;
class Skin;
class SkinPicture;

class MainWindow : public QWidget {
    Q_OBJECT
   public:
    MainWindow(Session& session, const Skin& skin, QWidget* parent = nullptr);

    // "Orvane自动套版电子相册2018"
    static QString programTitle();
    // How to make an album, as the scrolling "帮助信息" shows it.
    static QString helpText();
    // The window's title and the caption drawn in its title bar.
    void setTitle(const QString& title);

    LayoutMode layoutMode() const { return m_mode; }
    // Sets the mode, the window's geometry for it on the window's screen,
    // and lays everything out again.
    void applyLayoutMode(LayoutMode mode);
    // The full-screen / start-layout switch of a title double-click.
    void toggleLayoutMode();

    // Asked before the program ends; true lets it end. Unset: no question.
    void setExitConfirmation(std::function<bool()> confirm) { m_confirmExit = std::move(confirm); }
    // The exit command ("关闭", the close button, Ctrl+Q): asks, then ends
    // the program a moment later through the exit timer.
    void requestExit();

    // Where the panes go (one widget that fills it is laid out with it).
    QWidget* panesHost() const { return m_panes; }
    // The body of the "其它相关" panel, for the album settings summary.
    QWidget* summaryPanelHost() const { return m_summaryBody; }
    // Where the panes' pressed-item preview box goes (it fills it).
    QWidget* previewBoxHost() const { return m_previewBox; }

    // The hot labels over the title buttons (close, full screen, restore,
    // start layout) and those of the bottom strip (the three pane labels,
    // then "软件简介", "帮助文件", "网站模板"); their hints are shown from
    // outside, by the text hint window.
    const std::array<HotLabel*, kTitleButtonCount>& titleLabels() const { return m_titleLabels; }
    std::vector<HotLabel*> stripLabels() const;

    // The commands its buttons, labels and keys trigger; the features
    // connect to the ones they serve.
    Commands& commands() const { return *m_commands; }

    // Refreshes the photo, music and lyric counters from the model.
    void refreshCounters();

   Q_SIGNALS:
    // A pane label of the bottom strip (or its keyboard equivalent).
    void paneRequested(PaneKind pane);
    // Every layout change, after the widgets have their new places.
    void layoutApplied();
    // The main window closed: the program ends.
    void closed();

   protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

   private:
    void buildTitleBar();
    void buildLeftColumn();
    void buildSidePanels();
    void buildBottomStrip();
    QFrame* makeSidePanel(const QString& objectName, const QString& caption);
    // A button that triggers `action` and shows its caption.
    QPushButton* makeCommand(QWidget* parent, const QString& objectName, QAction* action);
    QPushButton* makeWindowCommand(const char* name, CommandId id);
    void relayout();
    void onSummaryTick();
    void onExitTimer();
    QSize screenSize() const;

    Session& m_session;
    const Skin& m_skin;
    Commands* m_commands;
    LayoutMode m_mode = LayoutMode::Start;
    bool m_shownOnce = false;
    std::function<bool()> m_confirmExit;
    QTimer m_summaryTimer;
    QTimer m_exitTimer;

    SkinPicture* m_titleLeft = nullptr;
    SkinPicture* m_titleMiddle = nullptr;
    std::array<SkinPicture*, kTitleButtonCount> m_titleButtons{};
    std::array<HotLabel*, kTitleButtonCount> m_titleLabels{};
    QLabel* m_icon = nullptr;
    QLabel* m_caption = nullptr;

    std::vector<QPushButton*> m_leftCommands;
    std::vector<QPushButton*> m_bottomCommands;
    std::vector<QPushButton*> m_projectCommands;
    QWidget* m_previewBox = nullptr;

    QWidget* m_panes = nullptr;
    QFrame* m_photoPanel = nullptr;
    QFrame* m_musicPanel = nullptr;
    QFrame* m_lyricPanel = nullptr;
    QFrame* m_summaryPanel = nullptr;
    QWidget* m_summaryBody = nullptr;
    QFrame* m_helpPanel = nullptr;
    QWidget* m_helpClip = nullptr;
    QLabel* m_helpText = nullptr;
    std::array<QLabel*, 3> m_counters{};

    SkinPicture* m_bottomLeft = nullptr;
    SkinPicture* m_bottomMiddle = nullptr;
    SkinPicture* m_bottomRight = nullptr;
    SkinPicture* m_bottomUnder = nullptr;
    std::array<HotLabel*, 3> m_paneLabels{};
    std::array<HotLabel*, 3> m_infoLabels{};
};

}  // namespace orvane
