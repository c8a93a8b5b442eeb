#pragma once
// The album preview: the finished picture of any album frame N (template
// picture, transition picture, lyrics, karaoke, texts, picture effects) at
// any size, without encoding, equal to frame N of a made album.
//
// How frame N is found. The timeline is that of the album build; which
// template movie covers N follows the frame producer's play order (the movies'
// own frame counts, movies that cannot be played skipped, the closing movie
// or the play list again after the last instance). Every template starts
// from picture_0, the bare last picture of the template before it: those
// transition pictures are made on demand, one template after the other from
// the start of the album, and kept (as the JPEG bytes the build would write),
// so each is made once. They are served to the movies from memory: the
// working folder's real picture_0, which a running build uses, is never
// written.
//
// Seeking. One player is kept: a frame later in the same template steps it
// forward (the frames in between run their actions but are not painted); an
// earlier frame replays the template from its first frame; another template
// is loaded with its transition picture. Overlays are brought to frame N by
// their own state; going back starts them again from the album's start
// (cheap: no painting on the way).
//
// Owns a copy of the project model, one FlashPlayer and the overlays. Not
// thread-safe: use it from one thread (the window's). Fonts need the
// QGuiApplication, as for FrameOverlays.

#include <QImage>
#include <QSize>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "base/error.h"
#include "base/file_io.h"
#include "base/project_model.h"
#include "base/working_folder.h"
#include "render/album/album_timeline.h"
#include "render/album/template_usage.h"

namespace orvane {

class FlashPlayer;
class FrameOverlays;

// Where an album frame lies: which movie shows it and at which of its frames.
struct AlbumFramePlace {
    int segment = -1;      // 0-based position in the play order; -1: none
    int playIndex = -1;    // play-list row, -1 for the closing movie
    bool closing = false;  // the closing movie
    int firstFrame = 0;    // the album frame of the movie's frame 0
    int movieFrame = -1;   // the movie's frame shown (its last one is held)
    bool held = false;     // no movie left: the last picture is held
};

class AlbumPreview {
   public:
    // The karaoke rows are placed as the model's settings say, as for the build.
    AlbumPreview(const ProjectModel& model, const WorkingFolder& folder);
    ~AlbumPreview();
    AlbumPreview(const AlbumPreview&) = delete;
    AlbumPreview& operator=(const AlbumPreview&) = delete;

    // The album's frame count and its output size (outputWidth × outputHeight).
    int frameCount() const { return m_timeline.totalFrames; }
    QSize outputSize() const { return m_outputSize; }
    const AlbumTimeline& timeline() const { return m_timeline; }

    // Album frame `n` (0 ≤ n < frameCount()) at `size`. Fails for a frame
    // outside the album or an empty size.
    Result<QImage> frame(int n, QSize size);
    // The same, painted over the whole `target` (its size is the size).
    Result<void> paintFrame(int n, QImage& target);

    // Which movie and movie frame show album frame `n` (plans the play order
    // up to n on the way).
    Result<AlbumFramePlace> place(int n);

    // Forgets the loaded player (the transition pictures stay): the next
    // frame loads its template afresh. For measurements.
    void dropPlayer();

    // Movies skipped (each line names the movie and ends with " : 错误 (…)"),
    // pictures that could not be loaded, overlay files left out.
    QStringList messages() const;

   private:
    struct Segment {
        std::filesystem::path movie;
        int playIndex = -1;
        bool closing = false;
        int firstFrame = 0;
        int frames = 0;
        int transition = 0;  // index into m_transitions of its picture_0
    };

    Result<void> planUpTo(int n);
    Result<void> stageTransitionAfter(std::size_t segment);
    std::optional<Segment> nextSegment(int firstFrame);
    bool loadSegmentMovie(const std::filesystem::path& movie, int transition, int* frames);
    Result<void> showSegment(std::size_t segment, int movieFrame);
    Result<void> stage(const QImage& bare);
    std::shared_ptr<const QImage> decodedTransition(int index);

    ProjectModel m_model;
    const WorkingFolder& m_folder;
    QSize m_outputSize;
    TemplateUsageTable m_playList;
    AlbumTimeline m_timeline;

    // The play order planned so far, and how the planner stands.
    std::vector<Segment> m_segments;
    int m_planIndex = -1;
    bool m_planClosing = false;
    int m_planFailures = 0;
    bool m_planEnded = false;  // no further movie: the last picture is held
    int m_heldFrom = -1;       // the first album frame without a movie

    // Transition pictures as the build stages them: JPEG of the stage-sized
    // picture. [0] is the loading picture. m_lastStaged is the newest one
    // before encoding, held when no movie is left.
    std::vector<Bytes> m_transitions;
    QImage m_lastStaged;
    int m_decodedIndex = -1;
    std::shared_ptr<const QImage> m_decoded;

    std::unique_ptr<FlashPlayer> m_player;
    int m_playerSegment = -1;

    std::unique_ptr<FrameOverlays> m_overlays;
    QSize m_overlaySize;
    QStringList m_messages;
};

}  // namespace orvane
