#pragma once
// The import run: the chosen JPEG files become rows of the photo table, each
// measured (upright size from the header and the EXIF orientation),
// classified landscape ("heng_zhao") or portrait ("shu_zhao"), matched to a
// template, unpacked, thumbnailed and staged.
//
// The run works on a copy of the project and takes it over only when every
// step succeeded; a failure (a file that is not a decodable JPEG, a damaged
// template package) leaves the project as it was and removes the files the
// run wrote. Called on the thread that owns the model.

#include <QString>
#include <QStringList>
#include <vector>

#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/refused_file.h"
#include "base/working_folder.h"

namespace orvane {

struct ImportReport {
    // Photos left out because no template of their kind exists.
    std::vector<QString> unplaced;
    // Files left out because they cannot be read as photos (not a JPEG, a
    // damaged one), each with the reason UnreadablePhoto and the reader's
    // message as its detail.
    QList<RefusedFile> unreadable;
};

// Runs the import of `files` (in the given order). Progress: 4 steps per
// file. A file may be given more than once; each is a photo of its own.
Result<ImportReport> importPhotos(ProjectModel& model, const WorkingFolder& folder,
                                  const QStringList& files, Progress& progress);

// The import of every file that can be read as a photo: each file is
// measured and decoded at a small scale first, and those that fail are left
// out and named in `unreadable`, so one damaged photo does not keep the
// others out. Fails only for what is not the files' fault (a damaged
// template package) or a stop.
Result<ImportReport> importReadablePhotos(ProjectModel& model, const WorkingFolder& folder,
                                          const QStringList& files, Progress& progress);

// A batch row for the photo at `path`: location, names (the file name
// without and with its extension) and upright size.
Result<PhotoEntry> measurePhoto(const QString& path);

// The row of the photo list pane: number, name, type in lower case, width,
// height, "横照片"/"竖照片", "已绑定", location in lower case.
QStringList photoListRow(const PhotoEntry& photo);

}  // namespace orvane
