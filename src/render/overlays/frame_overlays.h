#pragma once
// The overlays of the album frames: the LRC lyric line of the current song,
// the two karaoke rows with their colour sweep, the moving texts and the
// picture decorations, painted over the picture that the template movie drew.
//
// Every size and position is worked out on a 1920 × 1080 reference frame
// (the lyric, karaoke and text sizes are defined at that scale) and scaled to
// the output size when drawn.
//
// How the frame producer uses it, one object per album run:
//
//     FrameOverlays overlays(model, QSize(outputWidth, outputHeight));
//     for (int n = 0; n < albumFrames; ++n) {       // every album frame, in order
//         QImage& frame = ...;   // the movie's bare picture of frame n, output size
//         if (n is the last frame of a template)
//             keep a copy of `frame` here: the transition picture carries no overlays
//         overlays.paint(frame, n);                 // draws the overlays of frame n in place
//         ... hand `frame` to the encoder ...
//     }
//
// paint(frame, n) first brings the overlay state to album frame n, one frame
// at a time (the song frame counter and lyric line, the karaoke clock and
// sweep, each text's motion, each picture's span), then draws. Frame numbers
// must not go back; a skipped number is caught up. Frame n is n × 40 ms into
// the album: a text set to "01:30" is first drawn in frame 2250; after a first
// song of 5000 frames, frame 5000 starts the next song's lyric on its own
// clock (the lyric label is empty in that frame). Drawn back to front:
// picture effects, moving texts, karaoke rows, the lyric line.
//
// State kept: lyric song number and song frame counter, the parsed LRC time
// table of the current song, the karaoke clock and its timeline, each text's
// position and run state, each picture's run state, and small pictures of the
// labels already drawn at the output scale (no full-size image is made per
// frame). Files that cannot be read (a lyric, a karaoke file, a picture) do
// not stop the album: that overlay is left out and a message naming the file
// is kept in messages() for the log.
//
// Threads: one thread at a time (normally the frame-producing thread, which
// may be another thread than the one that built the object). Fonts need the
// QGuiApplication (and installFontSubstitutions()) made before, as text is
// measured and drawn here. The ProjectModel is read by the constructor only.

#include <QImage>
#include <QSize>
#include <QStringList>
#include <memory>
#include <vector>

#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

struct FrameOverlayOptions {
    // MusicTable rows in the order they are heard on the sound track; empty
    // means every song once, in table order. A driver that repeats the songs
    // to fill the album passes the repeated order so the lyrics follow them.
    std::vector<int> songOrder;
};

class FrameOverlays {
   public:
    // Reads the lyrics, karaoke rows, text effects and picture effects of
    // `model` and the lyric kind of its settings; lays out the first song's
    // lyric and karaoke file. `outputSize` is the size of every frame painted.
    FrameOverlays(const ProjectModel& model, QSize outputSize, FrameOverlayOptions options = {});
    ~FrameOverlays();
    FrameOverlays(const FrameOverlays&) = delete;
    FrameOverlays& operator=(const FrameOverlays&) = delete;

    // Draws the overlays of album frame `albumFrame` (0-based) into `frame`,
    // which must have the output size (Format_RGB32 or
    // Format_ARGB32_Premultiplied are the fast ones). Throws OrvaneError when
    // the frame number goes back or the frame has another size.
    void paint(QImage& frame, int albumFrame);

    // The album frame whose overlay state is current (0 after construction).
    int currentFrame() const;
    // Whether anything at all can be drawn (lyrics, karaoke, texts or
    // pictures); a driver may skip paint() when false.
    bool empty() const;
    // Messages about files left out, each naming the file, oldest first.
    QStringList messages() const;
    // The same, as problems with their facts (the file and why).
    const std::vector<UserError>& leftOut() const;

   private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace orvane
