#pragma once
// The commands a user gives from the main window, by a stable id. Each id
// has its caption, hint, shortcut and ASCII key in one table; the registry
// makes one QAction per command (per pane for the side panels' commands),
// the main window's buttons, labels, keys and pane menus trigger those
// actions, and each feature connects to the commands it serves. GUI thread.

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <map>
#include <span>

#include "browser/pane_traits.h"

class QAction;
class QWidget;

namespace orvane {

enum class CommandId {
    // The left column: adding media, then the album's settings.
    AddPhotos,
    AddMusic,
    AddMusicMp3,
    AddLyrics,
    AddLyricsLrc,
    MakeLyrics,
    AlbumLength,
    TextEffects,
    PictureEffects,
    CropPhoto,
    ManageTemplates,
    OtherSettings,
    // The bottom row: the album preview and the make commands.
    PreviewAlbum,
    MakeVcd,
    MakeSvcd,
    MakeDvd,
    MakeAvi,
    MakeMp4,
    MakePictureSequence,
    // The title bar.
    OpenProject,
    SaveProject,
    // The bottom strip.
    ShowIntroduction,
    ShowHelpFile,
    ShowWebsiteTemplates,
    // The side panels: every pane has its own.
    ShowIcons,
    ShowList,
    DeleteOne,
    DeleteAll,
    Bind,
    UnbindAll,
    Unbind,
    AutoBind,
    PreviewPhotoTemplate,
    PreviewMusic,
    LyricSettings,
    PreviewLyrics,
    KaraokeSettings,
};

struct CommandInfo {
    CommandId id;
    const char* key;      // stable ASCII name, e.g. "add-photos"
    const char* caption;  // the button's documented text
    const char* hint;     // what the hint window and a screen reader say; "" for none
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    bool perPane = false;  // a side panel's command, one per pane
};

// Every command, in the order of the table.
std::span<const CommandInfo> commandTable();
const CommandInfo& commandInfo(CommandId id);

// The hint of a side panel's command in `pane` ("删除单个相片", …), or of
// any other command its table hint.
QString commandHint(CommandId id, PaneKind pane);

class Commands : public QObject {
    Q_OBJECT
   public:
    // The actions belong to `shortcutHost`, whose window takes their keys.
    explicit Commands(QWidget* shortcutHost);

    // The action of a window-wide command.
    QAction* action(CommandId id) const;
    // The action of a side panel's command in `pane`.
    QAction* action(PaneKind pane, CommandId id) const;

   private:
    std::map<std::pair<int, CommandId>, QAction*> m_actions;  // pane -1: window-wide
};

}  // namespace orvane
