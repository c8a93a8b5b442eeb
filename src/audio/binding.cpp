#include "audio/binding.h"

#include <QDateTime>

namespace orvane {
namespace {

MusicEntry& songAt(ProjectModel& m, int i) { return m.music.at(static_cast<std::size_t>(i)); }
LyricEntry& lyricAt(ProjectModel& m, int i) { return m.lyrics.at(static_cast<std::size_t>(i)); }

void unbindSongFields(MusicEntry& s) {
    s.boundLyric = kNone;
    s.boundLyricName = kNone;
}
void unbindLyricFields(LyricEntry& l) {
    l.boundMusic = kNone;
    l.boundMusicName = kNone;
}

}  // namespace

QString makeBindingKey(ProjectModel& model, int number) {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy/M/d H:mm:ss")) +
           QString::number(number) + QLatin1Char('-') + QString::number(++model.bindingKeySerial);
}

void bindByPosition(ProjectModel& model, MediaPanes& panes, int i) {
    MusicEntry& song = songAt(model, i);
    LyricEntry& lyric = lyricAt(model, i);
    const QString key = makeBindingKey(model, i + 1);
    song.boundLyric = key;
    song.boundLyricName = lyric.fileName;
    lyric.boundMusic = key;
    lyric.boundMusicName = song.fileName;
    setPaneCell(panes.musicBound, i, lyric.fileName);
    setPaneCell(panes.lyricBound, i, song.fileName);
}

void unbindAll(ProjectModel& model, MediaPanes& panes) {
    for (int i = 0; i < model.music.count(); ++i) {
        unbindSongFields(songAt(model, i));
        setPaneCell(panes.musicBound, i, kUnboundMusicMarker);
    }
    for (int q = 0; q < model.lyrics.count(); ++q) {
        unbindLyricFields(lyricAt(model, q));
        setPaneCell(panes.lyricBound, q, kUnboundLyricMarker);
    }
}

std::optional<QString> autoBind(ProjectModel& model, MediaPanes& panes) {
    unbindAll(model, panes);
    for (int i = 0; i < model.music.count() && i < model.lyrics.count(); ++i)
        bindByPosition(model, panes, i);
    int unbound = 0;
    for (const MusicEntry& s : model.music)
        if (s.boundLyric == kNone && s.boundLyricName == kNone) ++unbound;
    if (unbound == 0) return std::nullopt;
    return QStringLiteral("添加的歌词数量与添加的音乐数量不一致,还有 ") + QString::number(unbound) +
           QStringLiteral(" 个音乐没有绑定");
}

void unbindSong(ProjectModel& model, MediaPanes& panes, int song) {
    const QString key = songAt(model, song).boundLyric;
    unbindSongFields(songAt(model, song));
    setPaneCell(panes.musicBound, song, kUnboundMusicMarker);
    if (key == kNone) return;
    for (const MusicEntry& s : model.music)
        if (s.boundLyric == key) return;  // another song keeps the lyric
    for (int q = 0; q < model.lyrics.count(); ++q) {
        if (lyricAt(model, q).boundMusic != key) continue;
        unbindLyricFields(lyricAt(model, q));
        setPaneCell(panes.lyricBound, q, kUnboundMusicMarker);
    }
}

void unbindLyric(ProjectModel& model, MediaPanes& panes, int lyric) {
    const QString key = lyricAt(model, lyric).boundMusic;
    unbindLyricFields(lyricAt(model, lyric));
    setPaneCell(panes.lyricBound, lyric, kUnboundMusicMarker);
    for (int i = 0; i < model.music.count(); ++i) {
        if (songAt(model, i).boundLyric != key) continue;
        unbindSongFields(songAt(model, i));
        setPaneCell(panes.musicBound, i, kUnboundMusicMarker);
    }
}

Result<void> bindSongManually(ProjectModel& model, MediaPanes& panes, int song,
                              std::optional<int> chosenLyric) {
    if (!chosenLyric) return fail(QStringLiteral("没有选中歌词文件！"));
    MusicEntry& s = songAt(model, song);
    LyricEntry& l = lyricAt(model, *chosenLyric);
    if (l.boundMusic == kNone) l.boundMusic = makeBindingKey(model, 1);
    l.boundMusicName = s.fileName;
    s.boundLyric = l.boundMusic;
    s.boundLyricName = l.fileName;
    setPaneCell(panes.musicBound, song, l.fileName);
    setPaneCell(panes.lyricBound, *chosenLyric, s.fileName);
    recountLyrics(model, panes);
    return {};
}

Result<void> bindLyricManually(ProjectModel& model, MediaPanes& panes, int lyric,
                               std::optional<int> chosenSong) {
    if (!chosenSong) return fail(QStringLiteral("没有选中音乐文件！"));
    MusicEntry& s = songAt(model, *chosenSong);
    LyricEntry& l = lyricAt(model, lyric);
    s.boundLyric = l.boundMusic != kNone ? l.boundMusic : makeBindingKey(model, 1);
    s.boundLyricName = l.fileName;
    l.boundMusic = s.boundLyric;
    l.boundMusicName = s.fileName;
    setPaneCell(panes.musicBound, *chosenSong, l.fileName);
    setPaneCell(panes.lyricBound, lyric, s.fileName);
    recountLyrics(model, panes);
    return {};
}

void recountLyrics(ProjectModel& model, MediaPanes& panes) {
    for (int q = 0; q < model.lyrics.count(); ++q) {
        LyricEntry& l = lyricAt(model, q);
        int n = 0;
        const MusicEntry* only = nullptr;
        for (const MusicEntry& s : model.music) {
            if (s.boundLyric == kNone || s.boundLyric != l.boundMusic) continue;
            ++n;
            only = &s;
        }
        if (n == 0) {
            unbindLyricFields(l);
            setPaneCell(panes.lyricBound, q, kUnboundMusicMarker);
        } else {
            l.boundMusicName =
                n == 1 ? only->fileName
                       : QStringLiteral("绑定") + QString::number(n) + QStringLiteral("个音乐");
            setPaneCell(panes.lyricBound, q, l.boundMusicName);
        }
    }
}

int boundLyricRow(const ProjectModel& model, int song) {
    const QString& key = model.music.at(static_cast<std::size_t>(song)).boundLyric;
    if (key == kNone) return -1;
    for (int q = 0; q < model.lyrics.count(); ++q)
        if (model.lyrics.at(static_cast<std::size_t>(q)).boundMusic == key) return q;
    return -1;
}

BindingCheck checkBindingAction(BindingAction action, PaneSide side, const ProjectModel& model,
                                std::optional<int> selected) {
    const bool noSongs = model.music.empty();
    const bool noLyrics = model.lyrics.empty();
    const BindingCheck nothing{false, QString()};
    const auto say = [](const char* text) { return BindingCheck{false, QString::fromUtf8(text)}; };
    if (action == BindingAction::UnbindAll) return noSongs || noLyrics ? nothing : BindingCheck{};

    // Every other action: the own pane empty → nothing; the other pane
    // empty → its message; then (one-row actions) the selection.
    const bool music = side == PaneSide::Music;
    if (music ? noSongs : noLyrics) return nothing;
    if (music ? noLyrics : noSongs) return say(music ? "没有找到歌词文件！" : "没有找到音乐文件！");
    if (action != BindingAction::AutoBind && !selected)
        return say(music ? "没有选中音乐文件！" : "没有选中歌词文件！");
    return {};
}

BindingQuestion bindingQuestion(BindingAction action) {
    switch (action) {
        case BindingAction::AutoBind:
            return {QStringLiteral("自动绑定"),
                    QStringLiteral(
                        "自动绑定会先解绑所有的绑定,然后按顺序重新自动绑定。确定自动绑定吗？")};
        case BindingAction::UnbindAll:
            return {QStringLiteral("全部解绑"), QStringLiteral("确定全部解除绑定吗？")};
        case BindingAction::UnbindOne:
            return {QStringLiteral("解除绑定"), QStringLiteral("确定解除绑定吗？")};
        case BindingAction::Bind:
            return {QStringLiteral("绑定"), QStringLiteral("从下面列表中选择一个文件绑定")};
    }
    return {};
}

}  // namespace orvane
