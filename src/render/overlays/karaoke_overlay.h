#pragma once
// The four karaoke labels over the album frames: rows A and B each show a
// line in the unsung colour and, over it, the same line in the sung colour
// cut to the sweep's width. The karaoke timing model (audio/karaoke_timeline.h)
// decides what is shown; this owns it, feeds it the karaoke file of each song
// and gives each label its look from the song's karaoke row. One thread at a
// time.

#include <QColor>
#include <QFont>
#include <QStringList>
#include <memory>
#include <vector>

#include "audio/karaoke_timeline.h"
#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

class ScriptConverter;

struct KaraokeLook {
    QFont font;     // fontName at the album size, "T" styles applied
    QColor unsung;  // colorValue
    QColor sung;    // fillColorValue
    int karaokeRow = -1;
};

class KaraokeOverlay {
   public:
    // `songOrder` as for the lyric overlay; song i of the order uses the
    // karaoke row of its MusicTable row. Files that cannot be read are added
    // to `messages` and their songs show no karaoke.
    KaraokeOverlay(const ProjectModel& model, const std::vector<int>& songOrder,
                   KaraokeGeometry geometry, std::vector<UserError>& messages);
    ~KaraokeOverlay();

    void advanceFrame();

    bool enabled() const { return m_enabled; }
    const KaraokeTimeline& timeline() const { return m_timeline; }
    const KaraokeLook& look() const { return m_look; }

   private:
    std::optional<KscDocument> load(int orderIndex);

    std::vector<int> m_order;
    std::vector<KaraokeEntry> m_rows;
    std::vector<UserError>& m_messages;
    std::unique_ptr<ScriptConverter> m_converter;
    KaraokeTimeline m_timeline;
    std::unique_ptr<KaraokeAlbumClock> m_clock;
    KaraokeLook m_look;
    bool m_enabled = false;
};

}  // namespace orvane
