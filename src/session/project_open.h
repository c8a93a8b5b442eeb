#pragma once
// Saving and opening a project file (".orvane", app/project_file.h). Opening
// replaces the project with the saved one and stages it again: every
// template instance is unpacked from the catalogue into the working folder
// and every photo fitted into its slot and thumbnailed, so the album makes
// the same frames as the one saved.
//
// What moved or vanished is named and left out, and the rest opens: a
// photo, song, lyric file, karaoke file or decoration picture that is no
// longer where it was; a song's lyric loses its binding with it. The photos
// of a template instance whose package is no longer in the store, or that
// lost a photo, are fitted into new templates. A damaged, truncated or newer
// file is refused with the reason and nothing changes. Runs as a session
// operation (on a copy of the model, any one thread).

#include <QString>
#include <QStringList>

#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"
#include "session/session.h"

namespace orvane {

struct ProjectOpenReport {
    QStringList messages;  // one per file left out or photo given a new template
};

// Opens `path` into `model` (whose catalogue was built by the session). Every
// message also goes to progress.notice().
Result<ProjectOpenReport> openProject(ProjectModel& model, const WorkingFolder& folder,
                                      const QString& path, Progress& progress);

// The operation form, for Session::apply and Session::startJob.
Session::Operation openProjectOperation(const QString& path);

// Saves the project of `model` to `path` (atomically; the extension is the
// caller's choice).
Result<void> saveProject(const ProjectModel& model, const WorkingFolder& folder,
                         const QString& path);

}  // namespace orvane
