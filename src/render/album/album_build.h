#pragma once
// The album build: from the project to the finished video file (VCD, SVCD,
// DVD, AVI, MP4) or picture sequence. It lists the template instances
// (TemplateUsageTable), plans the timeline, stages the loading picture,
// hands the frames (painted in memory by the frame producer and the
// overlays) and the songs to the encoder, and cleans up.
//
// Progress: start(2 × frames); advance(frames) once the lists are made, then
// advance() per frame encoded; every log line goes to message(); a
// cancelled progress stops the conversion. A failed or stopped build leaves
// nothing at the output path. Call from any thread; it blocks while the
// frames are painted on a reserved thread of Qt's pool and the encoder's own
// threads encode; the model is only read.

#include <QString>
#include <QStringList>

#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"
#include "render/album/album_log.h"
#include "render/album/album_timeline.h"

namespace orvane {

struct AlbumRequest {
    // The output file (extension included); for "XLTP" the folder to create.
    // A file there is replaced once the new album is complete.
    QString output;
    // For "XLTP": a folder there holding an earlier picture sequence is
    // replaced (the user was asked); otherwise it is refused.
    bool replaceExisting = false;
    // How the log lines are worded; English when empty.
    AlbumLogWording wordLog{};
};

struct AlbumReport {
    QString outputPath;  // the video file, or the first picture of a sequence
    int frames = 0;
    AlbumTimeline timeline;
    QStringList log;
    // Template movies that could not be played: the album went on without them.
    QStringList skippedTemplates;
    // Everything the album was made without, with why: the templates
    // skipped, then the lyric, karaoke and picture files that could not be
    // read and the texts that could not move.
    std::vector<UserError> leftOut;
    // A file or folder of the output's name was there and was replaced.
    bool replacedExisting = false;
};

// The extension a make command appends: ".mpg" for "VCD", "SVCD", "DVD",
// ".avi" for "AVI", ".mp4" for "MP4"; empty for "XLTP" (a folder).
QString albumExtension(OutputType outputType);

// Makes the album of `model` as its settings say (outputType, size, TV
// system, quality, timeline, lyric kind). Fails with "没有添加相片文件！" when
// there are no photos, "输入的文件名存在, 请更换保存的文件名！" when a
// picture-sequence folder exists, and with a message naming the file for a
// missing song, an output folder that is missing or cannot be written, an
// encoder error or a stop; the known problems carry their facts.
Result<AlbumReport> makeAlbum(const ProjectModel& model, const WorkingFolder& folder,
                              const AlbumRequest& request, Progress& progress);

}  // namespace orvane
