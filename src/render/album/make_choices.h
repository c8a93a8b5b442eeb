#pragma once
// What a make command decides before an album is made, apart from the
// windows that ask: the save dialog's filter, the output path made of the
// name the user chose, the name the make-album window shows, and whether the
// lyric type must be asked first.

#include <QString>

#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

// The save dialog's filter for the album's output type: "DVD 格式相册|*.mpg",
// …, "AVI 格式相册|*.avi"; a picture sequence "生成 JPG 序列图片|*.JPG" with
// its picture format.
QString saveDialogFilter(const AlbumSettings& settings);

struct MakeOutput {
    QString path;       // the video file, or the picture sequence's folder
    QString savedName;  // what the make-album window shows as the saved name
    // Something of that name is there and the album would replace it: a
    // file, or a folder holding nothing but an earlier picture sequence.
    bool replaces = false;
};

// The output of the name chosen in the save dialog. A video gets the
// extension appended whatever was typed ("a.mpg" → "a.mpg.mpg") and shows
// its file name without the extension; a picture sequence goes into a
// folder of that name, shown whole. What the final name would replace is
// noted (`replaces`), for the caller to ask first; a name the album cannot
// take (a folder for a video, a file or a folder of other things for a
// picture sequence) is refused with "输入的文件名存在, 请更换保存的文件名！".
Result<MakeOutput> makeOutputFor(const AlbumSettings& settings, const QString& chosen);

// With songs and karaoke lyrics both present, the make asks which lyrics the
// album shows (LRC, karaoke or both).
bool asksLyricKind(const ProjectModel& model);

}  // namespace orvane
