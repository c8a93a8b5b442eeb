#pragma once
// The project file (".orvane"): the whole album as one JSON document with a
// format version: photos in order with the template instance, slot and
// template package of each, songs, lyric files, bindings, karaoke files,
// text effects, picture effects and every album setting. Media paths are
// stored relative to the project file when they lie beside or below it,
// template packages relative to the working folder smxcwjj, so a project
// moves with its media and opens under another root.
//
// This is the JSON ↔ model part only: reading gives the project's tables as
// they were saved; checking the media and staging the templates again is the
// open operation's work (app/session/project_open.h). Any thread.

#include <QByteArray>
#include <QString>
#include <filesystem>

#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

// The format this build writes and the newest it reads. Version 1 stored
// every table field and most settings as the tables' text ("cuti", "PAL",
// "1280"); version 2 stores them in JSON types: booleans, numbers, enums by
// English name ("dvd", "pal", "high"). Both open. Fields added to a version
// are optional (a photo's crop style): files written before them still open,
// and builds that know no such field open the newer files.
inline constexpr int kProjectFormatVersion = 2;
inline const QString kProjectExtension = QStringLiteral(".orvane");

struct ProjectPaths {
    QString projectFile;                 // the .orvane file (its folder anchors media paths)
    std::filesystem::path templateBase;  // the working folder smxcwjj
};

// The document of `model`'s project tables and settings.
QByteArray projectToJson(const ProjectModel& model, const ProjectPaths& paths);

// The project tables and settings of a document of either version, with
// paths made absolute again. The catalogue and the working tables stay
// empty. Refuses, naming the file, a document that is not a complete project
// of a known version or holds a value a field cannot take.
Result<ProjectModel> projectFromJson(const QByteArray& bytes, const ProjectPaths& paths);

// Writes the document atomically (a temporary file renamed into place).
Result<void> saveProjectFile(const ProjectModel& model, const ProjectPaths& paths);
// Reads and parses the file.
Result<ProjectModel> readProjectFile(const ProjectPaths& paths);

}  // namespace orvane
