#pragma once
// Binding songs and lyrics. A song and a lyric are bound when the song's
// boundLyric equals the lyric's boundMusic and is not "wu"; several songs may
// share one lyric, a song has at most one. The operations here make and
// break those links on the ProjectModel and write the bound columns of the
// list panes. Callers check the preconditions (checkBindingAction) and ask
// for confirmation first. One thread at a time.

#include <QString>
#include <optional>

#include "audio/media_panes.h"
#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

// The key shared by a bound pair: the local date and time as text followed by
// `number`, and a serial of the run so that two keys never agree.
QString makeBindingKey(ProjectModel& model, int number);

// Binds song row i to lyric row i (both unbound) with a new key.
void bindByPosition(ProjectModel& model, MediaPanes& panes, int i);

// Unbinds everything, then binds song i to lyric i for every pair. Returns
// the message to show when songs were left without a lyric.
std::optional<QString> autoBind(ProjectModel& model, MediaPanes& panes);
void unbindAll(ProjectModel& model, MediaPanes& panes);
// Unbinds one song; its lyric is released when no other song keeps it.
void unbindSong(ProjectModel& model, MediaPanes& panes, int song);
// Unbinds one lyric and every song bound to it.
void unbindLyric(ProjectModel& model, MediaPanes& panes, int lyric);

// Manual binding from the music pane: song `song` to the lyric chosen in the
// list (none chosen: "没有选中歌词文件！"). From the lyric pane: lyric `lyric`
// to the chosen song (none chosen: "没有选中音乐文件！"). Both recount.
Result<void> bindSongManually(ProjectModel& model, MediaPanes& panes, int song,
                              std::optional<int> chosenLyric);
Result<void> bindLyricManually(ProjectModel& model, MediaPanes& panes, int lyric,
                               std::optional<int> chosenSong);

// For every lyric: no song → unbound; one song → its name; N songs →
// "绑定N个音乐".
void recountLyrics(ProjectModel& model, MediaPanes& panes);

// The lyric row bound to song `song` (its boundMusic equals the song's
// boundLyric, which is not "wu"), or -1.
int boundLyricRow(const ProjectModel& model, int song);

enum class BindingAction { UnbindAll, AutoBind, UnbindOne, Bind };
enum class PaneSide { Music, Lyrics };

// Whether an action may go on. `proceed` false with an empty message means
// nothing happens; with a message, the message is shown.
struct BindingCheck {
    bool proceed = true;
    QString message;
};
BindingCheck checkBindingAction(BindingAction action, PaneSide side, const ProjectModel& model,
                                std::optional<int> selected);

// The confirmation window's caption and question for an action.
struct BindingQuestion {
    QString caption;
    QString question;
};
BindingQuestion bindingQuestion(BindingAction action);

}  // namespace orvane
