#pragma once
// Adding a mixed set of files to a project (files handed to the program when
// it starts, or dropped onto it): photos, songs, LRC lyrics and KSC karaoke
// files are told apart by their extension and each kind goes through its own
// import, in that order. Files of no known kind are named in the report and
// left out.

#include <QStringList>

#include "app/error.h"
#include "app/progress.h"
#include "app/project_model.h"
#include "app/working_folder.h"
#include "audio/media_panes.h"

namespace orvane {

struct MediaFilesByKind {
    QStringList photos, songs, lyrics, karaoke, unknown;
};

// Sorts `files` by extension (case-insensitive: .jpg/.jpeg, .mp3, .lrc,
// .ksc), keeping their order within each kind.
MediaFilesByKind sortMediaFiles(const QStringList& files);

struct MediaFilesReport {
    QStringList skipped;  // one message per file left out, naming it
};

// Imports every kind in turn. Photos, songs and lyrics that cannot be read
// are skipped and named, and the others are added; a damaged template
// package or a stop fails the whole call. Run it on a copy of the model (Session::apply).
Result<MediaFilesReport> addMediaFiles(ProjectModel& model, const WorkingFolder& folder,
                                       MediaPanes& panes, const QStringList& files,
                                       Progress& progress);

}  // namespace orvane
