#pragma once
// WindowSet: every window of the program, made once at start in a fixed
// order (the main window first) and kept for the whole run, so each keeps
// its state between showings. It owns the skin the frames are cut from and
// keeps the project file the windows work on. GUI thread.
//
// The features reach the shared windows through it; it is built in
// src/app/window_set.cpp, the one place that knows every feature.

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "gui/shell/dialog_file_chooser.h"
#include "gui/shell/skin.h"

namespace orvane {

class Commands;
class Session;
class MainWindow;
class MessageWindow;
class ExitWindow;
class ProcessingWindow;
class AlbumLengthWindow;
class OtherSettingsWindow;
class OutputSizeWindow;
class LyricKindWindow;
class MakeAlbumWindow;
class AlbumPreviewWindow;
class MediaBrowser;
class TextHintWindow;
class MediaPlayer;
class ProjectDocument;
class QuestionWindow;
class LyricSettingsWindow;
class MediaPreviewWindow;
class TemplatePreviewWindow;
class KaraokeEditorWindow;
class KaraokeInitWindow;
class KaraokeStyleWindow;
class KaraokeMatchWindow;

// The windows, made by the window set in its creation order.
struct LyricWindows {
    LyricSettingsWindow* lyricSettings = nullptr;
    MediaPreviewWindow* musicPreview = nullptr;
    MediaPreviewWindow* lyricPreview = nullptr;
    TemplatePreviewWindow* templatePreview = nullptr;
    KaraokeEditorWindow* karaokeEditor = nullptr;
    KaraokeInitWindow* karaokeInit = nullptr;
    KaraokeStyleWindow* karaokeStyle = nullptr;
    KaraokeMatchWindow* karaokeMatch = nullptr;
};

class WindowSet {
   public:
    explicit WindowSet(Session& session);
    ~WindowSet();

    MainWindow& mainWindow() const { return *m_main; }
    MessageWindow& messageWindow() const { return *m_message; }
    ExitWindow& exitWindow() const { return *m_exit; }
    ProcessingWindow& processingWindow() const { return *m_processing; }
    OutputSizeWindow& outputSizeWindow() const { return *m_outputSize; }
    LyricKindWindow& lyricKindWindow() const { return *m_lyricKind; }
    MakeAlbumWindow& makeAlbumWindow() const { return *m_makeAlbum; }
    AlbumPreviewWindow& albumPreviewWindow() const { return *m_albumPreview; }
    // "文件已存在，是否替换？" with "替换" / "取消", before a save over a file.
    QuestionWindow& replaceQuestion() const { return *m_replaceQuestion; }
    // The end of an album made without some of its parts: "确定" / "查看日志".
    QuestionWindow& leftOutWindow() const { return *m_leftOut; }

    // The one media player the previews share.
    MediaPlayer& mediaPlayer() const { return *m_mediaPlayer; }
    const LyricWindows& lyricWindows() const { return m_lyricWindows; }
    // The project file the windows work on.
    ProjectDocument& projectDocument() const { return *m_document; }

    // Every window in creation order.
    const std::vector<QWidget*>& windows() const { return m_order; }
    // The window named `objectName`, or nullptr.
    QWidget* window(const QString& objectName) const;

    const Skin& skin() const { return m_skin; }
    // The main window's commands, which the features connect to.
    Commands& commands() const;
    // The three media panes in the main window.
    MediaBrowser& browser() const { return *m_browser; }

    // Every file dialog of the windows goes through it; tests replace it.
    FileChooser& fileChooser() const { return *m_fileChooser; }
    void setFileChooser(std::unique_ptr<FileChooser> chooser) {
        m_fileChooser = std::move(chooser);
    }

   private:
    template <typename W>
    W* adopt(std::unique_ptr<W> window);
    template <typename W, typename... Args>
    W* make(Args&&... args);
    void attachButtonHints(TextHintWindow& hints);
    void placePreviewAndSummary(Session& session);
    void connectCommands(Session& session, AlbumLengthWindow& albumLength,
                         OtherSettingsWindow& otherSettings);

    Skin m_skin;
    std::unique_ptr<MediaPlayer> m_mediaPlayer;
    std::unique_ptr<ProjectDocument> m_document;
    LyricWindows m_lyricWindows;
    std::vector<std::unique_ptr<QWidget>> m_owned;
    std::vector<QWidget*> m_order;
    MainWindow* m_main = nullptr;
    MessageWindow* m_message = nullptr;
    ExitWindow* m_exit = nullptr;
    ProcessingWindow* m_processing = nullptr;
    OutputSizeWindow* m_outputSize = nullptr;
    LyricKindWindow* m_lyricKind = nullptr;
    MakeAlbumWindow* m_makeAlbum = nullptr;
    AlbumPreviewWindow* m_albumPreview = nullptr;
    QuestionWindow* m_replaceQuestion = nullptr;
    QuestionWindow* m_leftOut = nullptr;
    MediaBrowser* m_browser = nullptr;
    std::unique_ptr<FileChooser> m_fileChooser = std::make_unique<DialogFileChooser>();
};

}  // namespace orvane
