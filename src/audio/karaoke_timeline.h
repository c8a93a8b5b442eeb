#pragma once
// The karaoke timing model shared by the album overlays and the karaoke
// editor's preview: which line is shown on rows A and B, when a line starts
// being swept and how far its sweep label has grown, and when everything is
// hidden. The album drives it one frame at a time (KaraokeAlbumClock below);
// the editor drives it with its own clock text and timer ticks.
//
// Owns the loaded line table and the state of the four labels (base and sweep
// label of each row). One thread at a time.

#include <QFont>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "audio/ksc_parser.h"

namespace orvane {

struct KaraokeLabel {
    QString text;
    QRect rect;
    bool visible = false;
};

struct KaraokeRow {
    KaraokeLabel base;   // the whole line in the unsung colour
    KaraokeLabel sweep;  // the same line in the sung colour, clipped to its width
};

// Where the rows are drawn: row A at (rowALeft, rowATop), row B at rowBTop
// with its right edge 20 pixels inside the area's right edge.
struct KaraokeGeometry {
    int rowALeft = 180;
    int rowATop = 811;
    int rowBTop = 931;
    int areaWidth = 1920;
};

// The geometry over album frames from the label positions in the editor's
// preview panel (800 × 450 by default) scaled to a 1920 × 1080 frame.
KaraokeGeometry albumKaraokeGeometry(int previewLeft, int previewATop, int previewBTop,
                                     int previewWidth = 800, int previewHeight = 450);

// The other way: the label positions in the editor's preview panel for a
// geometry over album frames, rounded to the nearest pixel, so that a
// position placed in the panel comes back where it was put.
struct KaraokePanelRows {
    int rowALeft = 75;
    int rowATop = 338;
    int rowBTop = 388;
};
KaraokePanelRows previewKaraokeRows(int albumLeft, int albumATop, int albumBTop,
                                    int previewWidth = 800, int previewHeight = 450);

class KaraokeTimeline {
   public:
    explicit KaraokeTimeline(KaraokeGeometry geometry = {});

    // Replaces the line table and clears the four labels and the sweep.
    // `ticksPerSecond` 0: units last their frames and the label grows by each
    // unit's advance per step (the album). Otherwise a unit lasts
    // ticksPerSecond × duration / 1000 ticks and the label grows one pixel
    // per tick (the editor's preview).
    void load(KscDocument document, int ticksPerSecond = 0);
    // Clears and hides the four labels and stops the sweep.
    void clearLabels();
    // Moves the rows (the editor's preview, where the user places them);
    // labels already shown move with them.
    void setGeometry(KaraokeGeometry geometry);
    const KaraokeGeometry& geometry() const { return m_geometry; }

    // Applies the appear, sweep-start and hide lookups for a clock text
    // ("MM:SS"). Call once each time the clock text changes.
    void applyClock(const QString& clock);
    // One frame (or tick) of the sweep; does nothing while not sweeping.
    void sweepStep();

    const KaraokeRow& rowA() const { return m_rows[0]; }
    const KaraokeRow& rowB() const { return m_rows[1]; }
    bool sweeping() const { return m_sweepLine >= 0; }
    int sweepLine() const { return m_sweepLine; }
    const KscDocument& document() const { return m_document; }

   private:
    struct UnitSteps {
        std::vector<int> steps;  // frames or ticks per unit, at least 1
        std::vector<int> cumulative;
        std::vector<int> advance;
    };
    KaraokeRow& rowOf(int line) { return m_rows[m_document.lines[line].row == "B" ? 1 : 0]; }
    void appear(int line);

    KaraokeGeometry m_geometry;
    KscDocument m_document;
    std::vector<UnitSteps> m_units;  // per line
    QFont m_font;
    KaraokeRow m_rows[2];
    int m_sweepLine = -1;
    int m_unit = 0;
    int m_inUnit = 0;
};

// The album's karaoke clock: a frame counter per song. Before each frame the
// counter goes up by one; when it reaches the song's frame count the next
// karaoke row is loaded (if there is one) and the counter restarts at -24,
// so the new song's karaoke clock shows 00:00 for 48 frames.
class KaraokeAlbumClock {
   public:
    // Parses karaoke row k (0-based); nullopt when the row cannot be used
    // (its file cannot be read), which ends the karaoke.
    using Loader = std::function<std::optional<KscDocument>(int row)>;

    // songFrameCounts: frameCount of every song; karaokeRows: rows of the
    // karaoke table (row k belongs to song k).
    KaraokeAlbumClock(KaraokeTimeline& timeline, std::vector<int> songFrameCounts, int karaokeRows,
                      Loader loader);

    // Album start: counter 0, row 0 parsed.
    void start();
    // One album frame: counter, next song, clock lookups and the sweep.
    void advanceFrame();

    int counter() const { return m_counter; }
    int row() const { return m_row; }
    bool running() const { return m_running; }
    QString clock() const;

   private:
    bool loadRow(int row);

    KaraokeTimeline& m_timeline;
    std::vector<int> m_frameCounts;
    int m_karaokeRows;
    Loader m_loader;
    int m_counter = 0;
    int m_row = 0;
    bool m_running = false;
    QString m_lastClock;
};

}  // namespace orvane
