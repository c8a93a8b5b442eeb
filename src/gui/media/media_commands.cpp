#include "gui/media/media_commands.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "audio/media_import.h"
#include "base/media_file_kind.h"
#include "browser/deletion_target.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/pane_hint_window.h"
#include "gui/panes/preview_box.h"
#include "gui/panes/text_hint_window.h"
#include "gui/shell/message_window.h"
#include "gui/shell/processing_window.h"
#include "gui/shell/refused_files_text.h"
#include "photos/photo_import.h"
#include "photos/photo_removal.h"
#include "session/job_runner.h"
#include "session/media_files.h"
#include "session/session.h"

namespace orvane {

namespace {

// The local files among the URLs of a drag.
QStringList droppedFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) files << url.toLocalFile();
    return files;
}

}  // namespace

MediaCommands::MediaCommands(Session& session, WindowSet& windows, const MediaWindows& media,
                             QObject* parent)
    : QObject(parent),
      m_session(session),
      m_windows(windows),
      m_browser(windows.browser()),
      m_media(media) {
    MainWindow& main = windows.mainWindow();
    Commands& commands = main.commands();
    const auto on = [&](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, handler);
    };
    on(commands.action(CommandId::AddPhotos), [this] { addPhotos(); });
    on(commands.action(CommandId::AddMusic), [this] { addMusic(); });
    on(commands.action(CommandId::AddMusicMp3), [this] { addMusic(); });
    on(commands.action(CommandId::AddLyrics), [this] { addLyrics(); });
    on(commands.action(CommandId::AddLyricsLrc), [this] { addLyrics(); });
    const std::pair<CommandId, BindingAction> bindings[] = {
        {CommandId::Bind, BindingAction::Bind},
        {CommandId::Unbind, BindingAction::UnbindOne},
        {CommandId::UnbindAll, BindingAction::UnbindAll},
        {CommandId::AutoBind, BindingAction::AutoBind}};
    for (PaneKind pane : kPaneKinds) {
        on(commands.action(pane, CommandId::DeleteOne), [this, pane] { deleteChosen(pane); });
        on(commands.action(pane, CommandId::DeleteAll), [this, pane] { deleteAll(pane); });
        if (pane == PaneKind::Photos) continue;  // photos bind nothing
        for (const auto& [id, action] : bindings)
            on(commands.action(pane, id), [this, pane, action] { binding(pane, action); });
    }
    // Files dragged from the file manager onto the window or any of its
    // panes reach the main window (the panes take no drops of their own;
    // their thumbnails move by mouse, not by drag and drop).
    main.setAcceptDrops(true);
    main.installEventFilter(this);
}

QString MediaCommands::photoFilter() {
    return mediaDialogFilter(QStringLiteral("添加相片文件(JPG)"), MediaFileKind::Photo);
}

QString MediaCommands::musicFilter() {
    return mediaDialogFilter(QStringLiteral("添加音乐文件(MP3)"), MediaFileKind::Song);
}

QString MediaCommands::lyricFilter() {
    return mediaDialogFilter(QStringLiteral("添加歌词文件(LRC)"), MediaFileKind::Lyric);
}

bool MediaCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_windows.mainWindow()) return false;
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (droppedFiles(drag->mimeData()).isEmpty()) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList files = droppedFiles(drop->mimeData());
            if (files.isEmpty()) return false;
            drop->acceptProposedAction();
            // The drag ends first; the import and its modal window follow.
            QTimer::singleShot(0, this, [this, files] { addFiles(files); });
            return true;
        }
        default:
            return false;
    }
}

// The pane hints and the button hint close before a job's window comes up and
// after it has gone: a hint fading in behind a modal window would stay over it.
void MediaCommands::hideHints() {
    m_browser.hideHints();
    if (auto* hint = qobject_cast<TextHintWindow*>(m_windows.window(QStringLiteral("TForm30"))))
        hint->hideHint();
}

Result<void> MediaCommands::runJob(JobProgressWindow& window, PaneOperation operation) {
    hideHints();
    auto panes = std::make_shared<MediaPanes>(m_browser.mediaPanes());
    JobRunner runner;
    const bool started = m_session.startJob(
        runner, [panes, operation = std::move(operation)](
                    ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
            return operation(model, folder, *panes, progress);
        });
    if (!started) return fail(QStringLiteral("another job is running"), ErrorKind::Internal);
    const JobOutcome outcome = window.showWhile(runner);
    hideHints();
    if (outcome.succeeded()) {
        m_browser.mediaPanes() = *panes;
        m_browser.refreshAll();
    } else if (!outcome.result.error().isStop()) {
        showMessage(outcome.result.error().message);
    }
    return outcome.result;
}

Result<void> MediaCommands::applyNow(PaneOperation operation) {
    MediaPanes panes = m_browser.mediaPanes();
    NullProgress progress;
    auto result = m_session.apply(
        [&panes, &operation](ProjectModel& model, const WorkingFolder& folder, Progress& p) {
            return operation(model, folder, panes, p);
        },
        progress);
    if (result) {
        m_browser.mediaPanes() = std::move(panes);
        m_browser.refreshAll();
    }
    return result;
}

void MediaCommands::showMessage(const QString& message) {
    m_windows.messageWindow().showMessage(message);
}

// The preview box shows nothing once rows are removed.
void MediaCommands::resetPreview() {
    PreviewBox* box = m_browser.previewBox();
    box->showPicture(QStringLiteral("        缩略图预览"), {});
    box->clearPicture();
}

// After an import: the pane in icon view, in front.
void MediaCommands::showAdded(PaneKind pane) {
    m_browser.showPane(pane);
    m_browser.showIcons();
}

QString MediaCommands::proposedSample(const QString& name) const {
    // The sample lies beside the program, where the working folder is.
    const QFileInfo sample(toQString(m_session.folder().root() / "yinyuegeci" / toPath(name)));
    return sample.isFile() ? sample.absoluteFilePath() : QString();
}

void MediaCommands::addPhotos() {
    const QStringList files = m_windows.fileChooser().openFiles(
        &m_windows.mainWindow(), QStringLiteral("添加相片"), photoFilter());
    if (files.isEmpty()) return;
    auto report = std::make_shared<ImportReport>();
    const auto done = runJob(*m_media.addPhotos,
                             [files, report](ProjectModel& model, const WorkingFolder& folder,
                                             MediaPanes&, Progress& progress) -> Result<void> {
                                 auto imported =
                                     importReadablePhotos(model, folder, files, progress);
                                 if (!imported) return std::unexpected(imported.error());
                                 *report = std::move(*imported);
                                 return {};
                             });
    if (!done) return;
    showAdded(PaneKind::Photos);
    QStringList lines = refusedFileLines(report->unreadable);
    for (const QString& unplaced : report->unplaced) lines << unplaced;
    if (!lines.isEmpty()) showMessage(lines.join(u'\n'));
}

void MediaCommands::addMusic() {
    const QStringList files = m_windows.fileChooser().openFiles(
        &m_windows.mainWindow(), QStringLiteral("添加音乐"), musicFilter(),
        proposedSample(QStringLiteral("甜蜜蜜.mp3")));
    if (files.isEmpty()) return;
    auto report = std::make_shared<MediaImportReport>();
    const auto done =
        runJob(*m_media.addMusic,
               [files, report](ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                               Progress& progress) -> Result<void> {
                   auto imported = importSongs(model, folder, panes, files, progress);
                   if (!imported) return std::unexpected(imported.error());
                   *report = std::move(*imported);
                   return {};
               });
    if (!done) return;
    showAdded(PaneKind::Music);
    if (!report->skipped.isEmpty()) showMessage(refusedFileLines(report->skipped).join(u'\n'));
}

void MediaCommands::addLyrics() {
    const QStringList files = m_windows.fileChooser().openFiles(
        &m_windows.mainWindow(), QStringLiteral("添加歌词"), lyricFilter(),
        proposedSample(QStringLiteral("甜蜜蜜.lrc")));
    if (files.isEmpty()) return;
    auto report = std::make_shared<MediaImportReport>();
    const auto done =
        runJob(*m_media.addLyrics,
               [files, report](ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                               Progress& progress) -> Result<void> {
                   auto imported = importLyrics(model, folder, panes, files, progress);
                   if (!imported) return std::unexpected(imported.error());
                   *report = std::move(*imported);
                   return {};
               });
    if (!done) return;
    showAdded(PaneKind::Lyrics);
    if (!report->skipped.isEmpty()) showMessage(refusedFileLines(report->skipped).join(u'\n'));
}

void MediaCommands::addFiles(const QStringList& files) {
    if (files.isEmpty()) return;
    const MediaFilesByKind sorted = sortMediaFiles(files);
    auto report = std::make_shared<MediaFilesReport>();
    const auto done =
        runJob(m_windows.processingWindow(),
               [files, report](ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                               Progress& progress) -> Result<void> {
                   auto added = addMediaFiles(model, folder, panes, files, progress);
                   if (!added) return std::unexpected(added.error());
                   *report = std::move(*added);
                   return {};
               });
    if (!done) return;
    if (!sorted.photos.isEmpty())
        showAdded(PaneKind::Photos);
    else if (!sorted.songs.isEmpty())
        showAdded(PaneKind::Music);
    else if (!sorted.lyrics.isEmpty())
        showAdded(PaneKind::Lyrics);
    // Every file left out is named.
    const QStringList lines = refusedFileLines(report->refused) + report->notices;
    if (!lines.isEmpty()) showMessage(lines.join(u'\n'));
}

void MediaCommands::deleteChosen(PaneKind kind) {
    MediaPane* shown = m_browser.pane(kind);
    if (shown == nullptr) return;
    const DeletionTarget target = deletionTarget(kind, shown->viewMode(), shown->pressedItem(),
                                                 shown->selectedRows(), shown->rowCount());
    if (target.rows.empty()) {
        if (!target.message.isEmpty()) showMessage(target.message);
        return;
    }
    QuestionWindow* question = kind == PaneKind::Photos  ? m_media.deletePhotos
                               : kind == PaneKind::Music ? m_media.deleteMusic
                                                         : m_media.deleteLyrics;
    if (question->ask(deletionQuestion(kind, false)) != 0) return;
    const int row = target.rows.front();
    Result<void> removed;
    switch (kind) {
        case PaneKind::Photos:
            removePhotoRows(target.rows);
            return;
        case PaneKind::Music:
            removed =
                applyNow([row](ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                               Progress&) { return removeSong(model, folder, panes, row); });
            break;
        case PaneKind::Lyrics:
            removed =
                applyNow([row](ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                               Progress&) { return removeLyric(model, folder, panes, row); });
            break;
    }
    if (removed)
        resetPreview();
    else
        showMessage(removed.error().message);
}

void MediaCommands::deleteAll(PaneKind kind) {
    MediaPane* shown = m_browser.pane(kind);
    if (shown == nullptr || shown->rowCount() == 0) return;
    QuestionWindow* question = kind == PaneKind::Photos  ? m_media.deletePhotos
                               : kind == PaneKind::Music ? m_media.deleteMusic
                                                         : m_media.deleteLyrics;
    if (question->ask(deletionQuestion(kind, true)) != 0) return;
    resetPreview();
    applyNow([kind](ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                    Progress&) -> Result<void> {
        switch (kind) {
            case PaneKind::Photos:
                removeAllPhotos(model, folder);
                break;
            case PaneKind::Music:
                removeAllSongs(model, folder, panes);
                break;
            case PaneKind::Lyrics:
                removeAllLyrics(model, folder, panes);
                break;
        }
        return {};
    });
}

// Rows alone in their template go with it in one job; each row that shares
// its template is then supplemented, from the last to the first, so the
// rows still to do keep their numbers.
void MediaCommands::removePhotoRows(const std::vector<int>& rows) {
    std::vector<std::size_t> chosen(rows.begin(), rows.end());
    auto report = std::make_shared<RemovalReport>();
    const auto done = runJob(m_windows.processingWindow(),
                             [chosen, report](ProjectModel& model, const WorkingFolder& folder,
                                              MediaPanes&, Progress& progress) -> Result<void> {
                                 auto removed = removePhotos(model, folder, chosen, progress);
                                 if (!removed) return std::unexpected(removed.error());
                                 *report = std::move(*removed);
                                 return {};
                             });
    if (!done) return;
    resetPreview();
    for (auto it = report->needSupplement.rbegin(); it != report->needSupplement.rend(); ++it)
        supplement(*it);
}

void MediaCommands::supplement(std::size_t row) {
    switch (m_media.supplementChoice->ask(supplementChoiceText())) {
        case 0:
            runJob(*m_media.addPhotos, [row](ProjectModel& model, const WorkingFolder& folder,
                                             MediaPanes&, Progress& progress) {
                return supplementByRandomDraw(model, folder, row, progress);
            });
            break;
        case 1:
            supplementByHand(row);
            break;
        default:
            break;
    }
}

void MediaCommands::supplementByHand(std::size_t row) {
    const ProjectModel& model = m_session.model();
    const std::vector<std::size_t> candidates = supplementCandidates(model, row);
    QList<QStringList> rows;
    for (std::size_t c : candidates) rows << photoListRow(model.photos.at(c));
    ListChoiceWindow& window = *m_media.manualSupplement;
    window.setRows(manualSupplementHeaders(), rows);
    window.choose([this, row, &candidates, &window](int button, std::optional<int> chosen) {
        if (button == ChooseFromProject) {
            // Nothing to choose from: the window stays so that a new photo
            // can be added instead.
            if (candidates.empty()) {
                showMessage(noSupplementCandidateMessage(m_session.model(), row,
                                                         QStringLiteral("添加新相片用来补充")));
                return false;
            }
            // No row chosen: the first candidate.
            const std::size_t replacement = candidates.at(static_cast<std::size_t>(
                std::clamp<int>(chosen.value_or(0), 0, static_cast<int>(candidates.size()) - 1)));
            runJob(*m_media.addPhotos,
                   [row, replacement](ProjectModel& model, const WorkingFolder& folder, MediaPanes&,
                                      Progress& progress) {
                       return supplementFromProject(model, folder, row, replacement, progress);
                   });
            return true;
        }
        if (button == AddNewPhoto) {
            const QString file = m_windows.fileChooser().openFile(
                &window, QStringLiteral("添加新相片用来补充"), photoFilter());
            if (file.isEmpty()) return false;
            // A photo of the other orientation is refused with its message
            // and the window stays for another try.
            return runJob(*m_media.addPhotos,
                          [row, file](ProjectModel& model, const WorkingFolder& folder, MediaPanes&,
                                      Progress& progress) {
                              return supplementWithNewFile(model, folder, row, file, progress);
                          })
                .has_value();
        }
        return true;
    });
}

void MediaCommands::binding(PaneKind pane, BindingAction action) {
    const PaneSide side = pane == PaneKind::Music ? PaneSide::Music : PaneSide::Lyrics;
    const std::optional<int> selected = m_browser.currentRow(pane);
    const BindingCheck check = checkBindingAction(action, side, m_session.model(), selected);
    if (!check.proceed) {
        if (!check.message.isEmpty()) showMessage(check.message);
        return;
    }
    if (action == BindingAction::Bind) {
        if (selected) bindByHand(pane, *selected);
        return;
    }
    const BindingQuestion question = bindingQuestion(action);
    m_media.bindQuestion->setCaption(question.caption);
    if (m_media.bindQuestion->ask(question.question) != 0) return;
    auto notice = std::make_shared<std::optional<QString>>();
    const auto done =
        applyNow([action, side, selected, notice](ProjectModel& model, const WorkingFolder&,
                                                  MediaPanes& panes, Progress&) -> Result<void> {
            switch (action) {
                case BindingAction::UnbindAll:
                    unbindAll(model, panes);
                    break;
                case BindingAction::AutoBind:
                    *notice = autoBind(model, panes);
                    break;
                case BindingAction::UnbindOne:
                    if (!selected) return {};
                    if (side == PaneSide::Music)
                        unbindSong(model, panes, *selected);
                    else
                        unbindLyric(model, panes, *selected);
                    break;
                case BindingAction::Bind:
                    break;
            }
            return {};
        });
    if (done && *notice) showMessage(**notice);
}

void MediaCommands::bindByHand(PaneKind pane, int row) {
    const ProjectModel& model = m_session.model();
    const bool fromMusic = pane == PaneKind::Music;
    QList<QStringList> rows;
    if (fromMusic) {
        for (std::size_t i = 0; i < model.lyrics.size(); ++i) {
            const LyricEntry& lyric = model.lyrics.at(i);
            rows << QStringList{lyric.index, lyric.fileName, lyric.fileType};
        }
    } else {
        for (std::size_t i = 0; i < model.music.size(); ++i) {
            const MusicEntry& song = model.music.at(i);
            rows << QStringList{song.index, song.fileName, song.fileType};
        }
    }
    const QStringList headers =
        fromMusic ? QStringList{QStringLiteral("序号"), QStringLiteral("歌词文件名"),
                                QStringLiteral("歌词类型")}
                  : QStringList{QStringLiteral("序号"), QStringLiteral("音乐文件名"),
                                QStringLiteral("音乐类型")};
    ListChoiceWindow& window = *m_media.bindChoice;
    window.setRows(headers, rows);
    window.choose([this, fromMusic, row](int button, std::optional<int> chosen) {
        if (button != 0) return true;
        // With nothing chosen the binding answers with its message and the
        // window stays open.
        const auto bound =
            applyNow([fromMusic, row, chosen](ProjectModel& model, const WorkingFolder&,
                                              MediaPanes& panes, Progress&) {
                return fromMusic ? bindSongManually(model, panes, row, chosen)
                                 : bindLyricManually(model, panes, row, chosen);
            });
        if (!bound) showMessage(bound.error().message);
        return bound.has_value();
    });
}

}  // namespace orvane
