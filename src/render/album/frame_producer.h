#pragma once
// Frame production: plays the album's template movies one after the other
// and paints album frame n into the picture the encoder hands over.
//
// Frame 0 is the loading picture. Frame n (n ≥ 1) steps the current movie to
// its next frame, paints it, and lays the overlays of frame n over it. When a
// movie has shown its last frame, that bare picture (without overlays) is
// staged as the transition picture picture_0 and the next movie is loaded,
// so the next template starts from the last picture of this one. After the
// last play-list row comes the closing movie, which then plays to the end of
// the album and holds its last frame (or, for a looping album, the play list
// starts again from its first row).
//
// A movie that cannot be loaded, is not a template of this program, has not
// reported "picture_0" when it is loaded (our player delivers frame 0's
// messages while loading, so there is nothing to wait for), or fails while
// stepping is skipped at once with its error in the log; the album goes on
// with the next one. When no movie is left, the last picture is held.
//
// Owns one FlashPlayer at a time (a new one per template). Not thread-safe:
// construct it anywhere, then use it from one thread (the encoder's
// video-frame callback).

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "base/error.h"
#include "base/working_folder.h"
#include "render/album/album_log.h"
#include "render/album/album_timeline.h"
#include "render/album/template_usage.h"

namespace orvane {

class FlashPlayer;

inline const QString kClosingPending = QStringLiteral("butongguo");
inline const QString kClosingLoaded = QStringLiteral("tongguo");

struct FrameProducerSettings {
    QSize outputSize{1280, 720};
    AfterLastInstance afterLastInstance = AfterLastInstance::ClosingTemplate;
};

class FrameProducer {
   public:
    // Draws the overlays of an album frame over its picture.
    using OverlayPainter = std::function<void(QImage& frame, int albumFrame)>;
    // A log line as facts (a template skipped or failing, the player's warnings).
    using LogLine = std::function<void(const AlbumLogLine& line)>;

    FrameProducer(const WorkingFolder& folder, TemplateUsageTable playList,
                  FrameProducerSettings settings, OverlayPainter overlays, LogLine log);
    ~FrameProducer();
    FrameProducer(const FrameProducer&) = delete;
    FrameProducer& operator=(const FrameProducer&) = delete;

    // Stages the loading picture as the transition picture and loads the
    // first template. Fails only when the transition picture cannot be
    // written (the working folder is not writable).
    Result<void> start();

    // Paints album frame `albumFrame` (0, 1, 2, … in order) into `frame`,
    // which has the output size. Fails when a transition picture cannot be
    // written.
    Result<void> paintFrame(QImage& frame, int albumFrame);

    // Run state, for the log and the tests.
    int playIndex() const { return m_playIndex; }
    int templateFrame() const { return m_templateFrame; }
    const QString& closingState() const { return m_closingState; }
    // The template movies that could not be played and were skipped, each
    // once, in the order they were met.
    const QStringList& skippedMovies() const { return m_skipped; }
    // The same, with why each could not be played.
    const std::vector<UserError>& skippedProblems() const { return m_skippedProblems; }
    QString currentMovie() const;
    // The picture staged as picture_0 last (stage size).
    const QImage& transitionPicture() const { return m_transition; }

    // The picture of frame 0: black.
    static QImage loadingPicture(QSize size);

   private:
    Result<void> loadNextTemplate();
    Result<void> stageTransition(const QImage& bare);
    bool loadMovie(const std::filesystem::path& movie);
    void holdLastPicture(QImage& frame) const;

    const WorkingFolder& m_folder;
    TemplateUsageTable m_playList;
    FrameProducerSettings m_settings;
    OverlayPainter m_overlays;
    LogLine m_log;

    std::unique_ptr<FlashPlayer> m_player;
    int m_playIndex = -1;
    int m_templateFrame = -1;
    int m_movieFrames = 0;
    QString m_closingState = kClosingPending;
    int m_failuresInRow = 0;
    QStringList m_skipped;
    std::vector<UserError> m_skippedProblems;
    QImage m_transition;  // stage size, what picture_0 holds
    QImage m_bare;        // output size, the template frame painted last
};

}  // namespace orvane
