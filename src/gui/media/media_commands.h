#pragma once
// MediaCommands: the main window's commands that add, delete and bind media
// ("添加相片", "添加音乐", "添加歌词"; the panes' "删除", "全删", "绑定",
// "解绑", "全解绑", "自动绑") and the drop of files from the file manager
// onto the main window. It asks through the media windows (MediaWindows),
// runs the core operations through the session (jobs under a progress
// window for what takes time, Session::apply for the rest) and hands the
// panes' bound columns back to the browser. The decisions (which rows,
// which message) are the core's. GUI thread.

#include <QObject>
#include <QStringList>
#include <functional>

#include "audio/binding.h"
#include "audio/media_panes.h"
#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"
#include "browser/pane_traits.h"
#include "gui/media/media_windows.h"

namespace orvane {

class Session;
class WindowSet;
class MediaBrowser;

class MediaCommands : public QObject {
    Q_OBJECT
   public:
    // Connects the main window's command signals and takes the main
    // window's file drops.
    MediaCommands(Session& session, WindowSet& windows, const MediaWindows& media,
                  QObject* parent = nullptr);

    // The filters of the file dialogs: "添加相片文件(JPG)|*.jpg;" and the
    // other names of the kind, in lower and upper case.
    static QString photoFilter();
    static QString musicFilter();
    static QString lyricFilter();

    void addPhotos();
    void addMusic();
    void addLyrics();
    // "删除" and "全删" of pane 0 (photos), 1 (music) or 2 (lyrics).
    void deleteChosen(PaneKind pane);
    void deleteAll(PaneKind pane);
    // "绑定", "解绑", "全解绑", "自动绑" of pane 1 or 2.
    void binding(PaneKind pane, BindingAction action);
    // Adds files of any kind (a drop): photos, songs, LRC and KSC files.
    void addFiles(const QStringList& files);

   protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    using PaneOperation =
        std::function<Result<void>(ProjectModel&, const WorkingFolder&, MediaPanes&, Progress&)>;
    // Runs `operation` as a job under `window`; on success the panes'
    // columns go back to the browser. A failure is shown; a stop is not.
    Result<void> runJob(JobProgressWindow& window, PaneOperation operation);
    // The same on this thread, for quick operations.
    Result<void> applyNow(PaneOperation operation);
    void showMessage(const QString& message);
    void hideHints();
    void showAdded(PaneKind pane);
    void resetPreview();
    void removePhotoRows(const std::vector<int>& rows);
    void supplement(std::size_t row);
    void supplementByHand(std::size_t row);
    void bindByHand(PaneKind pane, int row);
    QString proposedSample(const QString& name) const;

    Session& m_session;
    WindowSet& m_windows;
    MediaBrowser& m_browser;
    MediaWindows m_media;
};

}  // namespace orvane
