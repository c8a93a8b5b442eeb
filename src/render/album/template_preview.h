#pragma once
// The single-template preview: how one photo looks in the template instance
// it was staged into, before an album is made. It plays copies, never the
// staged files: prepare() rebuilds the preview work area under wj_yl_xg_1
// with a copy of the instance's movie, a copy of the ending movie, and the
// instance's slot pictures shrunk to the preview scale (the preview area
// against a 1920 × 1080 frame) as JPEG.
//
// Frames. The preview is a frame source the window drives with a timer:
// frames 0 … templateFrames() − 1 are the template's frames, starting from
// the start picture (the transition picture picture_0); then come the ending
// movie's frames, which start from the template's last picture. paintFrame(k)
// paints frame k at any size; going forward is cheap (the movie steps on),
// going back replays. pace(k) is how long the window waits before frame k.
//
// Errors the user can cause (a staged picture or movie missing, a movie that
// is not a template of this program) come back as Result messages naming the
// file. An ending movie that cannot be played only shortens the preview: its
// message is kept in warnings().
//
// Owns one FlashPlayer. Not thread-safe: use it from one thread (the
// preview window's).

#include <QImage>
#include <QSize>
#include <QStringList>
#include <chrono>
#include <memory>

#include "base/error.h"
#include "base/working_folder.h"

namespace orvane {

class FlashPlayer;

struct TemplatePreviewOptions {
    // The preview area; pictures are shrunk by area / 1920 × 1080.
    QSize area{800, 450};
    // Shrink the slot pictures to the area's scale (the window's preview);
    // false copies them as they are (rendering at full quality).
    bool shrinkPictures = true;
    // The picture the template starts from (the main window's start panel,
    // the stage's 1920 × 1080 or any size); black when null.
    QImage startPicture;
    // Play the ending movie after the template.
    bool playEnding = true;
    // Refuse a movie without the template signature or without "picture_0"
    // (the preview); false plays it anyway and notes it in warnings().
    bool requireProtocol = true;
};

class TemplatePreview {
   public:
    enum class Phase { Template, Ending };

    // Preview of template instance `instance` (templateFolder of the photo),
    // whose template takes `slotCount` pictures (templatePhotoCount).
    TemplatePreview(const WorkingFolder& folder, int instance, int slotCount,
                    TemplatePreviewOptions options = {});
    ~TemplatePreview();
    TemplatePreview(const TemplatePreview&) = delete;
    TemplatePreview& operator=(const TemplatePreview&) = delete;

    // Deletes the preview work area and builds it again from the staged
    // instance and the staged ending movie. Fails, naming the file, when a
    // staged file is missing or a copy cannot be written.
    Result<void> prepare();

    // Stages the start picture as picture_0 and loads the template movie
    // (and measures the ending); the preview is then at its frame 0. Fails
    // when the template movie cannot be played.
    Result<void> play();

    // Frame counts, known after play(). frameCount() = template + ending.
    int templateFrames() const { return m_templateFrames; }
    int endingFrames() const { return m_endingFrames; }
    int frameCount() const { return m_templateFrames + m_endingFrames; }
    Phase phaseOf(int frame) const;
    // The wait before frame k: 10 ms for a one-photo template, 30 ms for a
    // larger one, 5 ms in the ending.
    std::chrono::milliseconds pace(int frame) const;

    // Paints preview frame k (0 ≤ k < frameCount()) over the whole `target`.
    // Fails when play() has not succeeded or a picture cannot be written.
    Result<void> paintFrame(int frame, QImage& target);
    QImage render(int frame, QSize size);

    // Deletes the preview work area (the window's "返回").
    void remove();

    // Pictures that could not be loaded, an ending that could not be played,
    // protocol breaches when they are allowed.
    const QStringList& warnings() const { return m_warnings; }

   private:
    Result<void> stageTransition(const QImage& picture);
    Result<void> loadTemplate();
    Result<void> loadEnding();
    void collectWarnings();

    const WorkingFolder& m_folder;
    int m_instance;
    int m_slots;
    TemplatePreviewOptions m_options;
    std::unique_ptr<FlashPlayer> m_player;
    Phase m_loaded = Phase::Template;
    bool m_ready = false;
    // The ending movie has its picture_0: the template's last frame.
    bool m_endingStaged = false;
    int m_templateFrames = 0;
    int m_endingFrames = 0;
    QStringList m_warnings;
};

}  // namespace orvane
