#pragma once
// FlashPlayer: the operations the album build and the previews use to play a
// template movie (load, show frame n, read the frame count, movie variables,
// the movie's FSCommand messages, painting the shown frame), on top of our
// own SWF player in render/swf/.
//
// Stepping. The player never runs on a clock: the host shows frame n with
// FrameNum(n), and every root frame is one tick for the whole movie (sprites
// advance one frame per root frame). FrameNum(n) leaves the movie exactly as
// stepping one frame at a time from frame 0 to n does: a forward jump plays
// the frames in between (their actions run, their pictures load, their
// FSCommands are delivered), a backward jump restarts the movie from frame 0
// (the variables the host set are set again right after frame 0's actions)
// and plays up to n. n past the last frame shows the last frame.
//
// Picture loading (loadMovie) and FSCommands. The actions of a frame only
// queue loadMovie requests and FSCommands; when all actions of the frame
// have run, the queue is worked off in the order the actions made the
// requests: a loadMovie reads and decodes the picture and puts it into its
// clip, an FSCommand goes to the handler. So a picture requested in frame k
// is shown in frame k already, and an FSCommand that a movie sends after its
// loadMovie (in the same frame or later) arrives when the picture is in
// place. Movie() shows frame 0, so frame 0's requests are done before Movie()
// returns: a template that loads picture_0 and then sends "picture_0" in
// frame 0 has sent it when Movie() returns. Set the handler before Movie().
// Pictures are recognised by their content (JPEG, PNG, GIF, BMP), not their
// file extension; relative URLs resolve against the movie file's folder
// ("\" counts as "/"). A picture that cannot be loaded leaves its clip as it
// was and is listed in loadWarnings().
//
// One FlashPlayer plays one movie at a time; it is not thread-safe, use it
// from one thread at a time. Painting reuses its buffers: paint() into the
// same image every frame allocates nothing per frame for plain templates.

#include <QImage>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "base/error.h"

namespace orvane {

namespace swf {
class Movie;
class Player;
class Painter;
class FrameLayout;
}  // namespace swf

class PictureCache;
struct FlashPlayerSink;

class FlashPlayer {
   public:
    using FsCommandHandler = std::function<void(const QString& command, const QString& args)>;

    FlashPlayer();
    ~FlashPlayer();
    FlashPlayer(const FlashPlayer&) = delete;
    FlashPlayer& operator=(const FlashPlayer&) = delete;

    // Loads the SWF movie at `path` (plain or compressed) and shows its frame
    // 0. On failure the previous movie is gone, TotalFrames() fails, and the
    // message names the file.
    Result<void> Movie(const std::filesystem::path& path);
    bool isLoaded() const;
    const std::filesystem::path& moviePath() const { return m_path; }

    // Shows frame n (0-based), see "Stepping" above. Fails when no movie is
    // loaded; a negative n shows frame 0.
    Result<void> FrameNum(int n);
    // The frame shown now (0-based), -1 without a movie.
    int currentFrame() const;
    // The movie's frame count; fails when no movie is loaded.
    Result<int> TotalFrames() const;

    // Stops the root timeline as the movie's own stop action does. Frames are
    // only ever shown through FrameNum, so this changes no picture.
    void Stop();

    // Movie variables. Names may carry a clip path ("slot_1:name",
    // "_root.name", "/slot_1:name"); a plain name is a variable of the root.
    // GetVariable returns "" for an unknown variable or without a movie.
    void SetVariable(const QString& name, const QString& value);
    QString GetVariable(const QString& name) const;

    void setFsCommandHandler(FsCommandHandler handler);

    // Serves the picture file at `path` (as a movie's loadMovie resolves it)
    // from `picture` instead of reading the file; null serves the file again.
    // Set before Movie(): frame 0 loads its pictures.
    void setPicture(const std::filesystem::path& path, std::shared_ptr<const QImage> picture);
    // How many pixels of a loaded picture file make one stage pixel (1 by
    // default): pictures shrunk by s for a small preview are shown at their
    // full size with s. Set before Movie().
    void setPictureScale(double pixelsPerStagePixel);

    // Paints the shown frame over the whole `target` (which keeps its size
    // and format; Format_RGB32 or Format_ARGB32_Premultiplied are fastest):
    // the stage scaled with its proportions kept and centred, black outside.
    // Without a movie the target is painted black. When the shown frame is
    // the one painted last and `target` is that very picture, unmodified
    // since, only the part that changed is painted again.
    void paint(QImage& target);
    // The same into a new image of outputWidth x outputHeight (Format_RGB32).
    QImage render(int outputWidth, int outputHeight);

    // Stage size in pixels and frame rate of the loaded movie (0 without one).
    QSize stageSize() const;
    double frameRate() const;

    // Pictures that could not be loaded since Movie(), one message each.
    const QStringList& loadWarnings() const { return m_warnings; }

   private:
    void restart();
    void deliverFsCommand(const QString& command, const QString& args);

    std::filesystem::path m_path;
    std::shared_ptr<const swf::Movie> m_movie;
    std::unique_ptr<swf::Player> m_player;
    std::unique_ptr<swf::Painter> m_painter;
    std::unique_ptr<PictureCache> m_pictures;
    std::unique_ptr<FlashPlayerSink> m_sink;
    std::vector<std::pair<QString, QString>> m_hostVariables;
    FsCommandHandler m_fsCommand;
    QStringList m_warnings;
    // The frame painted last and the picture it went into, as it was then.
    std::unique_ptr<swf::FrameLayout> m_paintedLayout;
    qint64 m_paintedImageKey = 0;
};

}  // namespace orvane
