#pragma once
// The LRC lyric line over the album frames. A song frame counter runs per
// song; each album frame it goes up by one and its clock text ("mm:ss") picks
// the shown line from the song's LRC time table. When the counter reaches the
// song's frameCount the line is emptied and the next song begins at counter 0
// with the lyric bound to it. After the last song the lyrics stop.
//
// Each song shows the lyric bound to it (several songs may share one); a song
// without a bound lyric shows none. The label is styled from that lyric
// (font size × 1920 div 513, placement in the 1920 × 1080 frame); while a song
// has none, the last style stays. One thread at a time.

#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "audio/lrc_parser.h"
#include "audio/lyric_style.h"
#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

class LyricOverlay {
   public:
    // `songOrder`: MusicTable rows in the order they are heard (empty: every
    // song once). Lyric files that cannot be read are added to `messages`.
    LyricOverlay(const ProjectModel& model, const std::vector<int>& songOrder,
                 std::vector<UserError>& messages);

    // One album frame.
    void advanceFrame();

    // Whether the overlay draws anything at all in this album.
    bool enabled() const { return m_enabled; }
    // The label to draw now, on the 1920 × 1080 frame; nullopt when hidden or empty.
    std::optional<LyricLabel> label() const;
    const QString& caption() const { return m_caption; }
    int songPosition() const { return m_position; }  // index into the song order
    int songCounter() const { return m_counter; }
    bool running() const { return m_running; }

   private:
    struct Song {
        int frameCount = 0;
        int lyricRow = -1;  // bound LyricTable row, -1 when none
    };
    void beginSong();
    void restyle();

    std::vector<Song> m_songs;
    std::vector<LyricEntry> m_lyrics;
    std::map<int, std::vector<LrcRow>> m_tables;  // parsed once per lyric row
    std::vector<UserError>& m_messages;
    bool m_enabled = false;
    bool m_running = false;
    int m_position = 0;
    int m_counter = 0;
    const std::vector<LrcRow>* m_table = nullptr;
    int m_styleRow = 0;
    QString m_caption;
    LyricLabel m_label;
};

}  // namespace orvane
