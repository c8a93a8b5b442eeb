#pragma once
// Adding a mixed set of files to a project (files handed to the program when
// it starts, or dropped onto it): photos, songs, LRC lyrics and KSC karaoke
// files are told apart by their content or else their name
// (app/media_file_kind.h) and each kind goes through its own import, in that
// order. Every file left out is reported with its reason, never dropped
// without a word.

#include <QStringList>

#include "audio/media_panes.h"
#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/refused_file.h"
#include "base/working_folder.h"

namespace orvane {

struct MediaFilesByKind {
    QStringList photos, songs, lyrics, karaoke;
    // Files that do not exist (Missing) and files of no known kind (NotMedia).
    QList<RefusedFile> refused;
};

// Sorts `files` by kind, keeping their order within each kind. Reads the
// first bytes of each file.
MediaFilesByKind sortMediaFiles(const QStringList& files);

struct MediaFilesReport {
    // Every file left out, with its reason, in the order of the kinds.
    QList<RefusedFile> refused;
    // What the imports told besides (photos for which no template fits).
    QStringList notices;
};

// Imports every kind in turn. Photos and songs that cannot be read are left
// out and reported, and the others are added; a damaged template package or
// a stop fails the whole call. Run it on a copy of the model (Session::apply).
Result<MediaFilesReport> addMediaFiles(ProjectModel& model, const WorkingFolder& folder,
                                       MediaPanes& panes, const QStringList& files,
                                       Progress& progress);

}  // namespace orvane
