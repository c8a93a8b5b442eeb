#pragma once
// The template catalogue, built from the template store at every start:
// scan the store, read every template's parameters, classify the templates
// by the orientation of their slots, and count their slots. Fills the
// catalogue tables of the ProjectModel.

#include <QString>
#include <vector>

#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"

namespace orvane {

// Why a template was refused, for the front ends to word.
enum class RefusalCause {
    NoMovie,       // a parameter package without its movie package
    NoParameters,  // a movie package without its parameter package
    Damaged,       // the package cannot be unpacked (`reason` says why)
    NoMarker,      // the parameters lack the validity marker
};

struct RefusedTemplate {
    QString package;  // full path of the package that was refused
    QString reason;   // the core's words
    RefusalCause cause = RefusalCause::Damaged;
};

struct CatalogueReport {
    std::vector<RefusedTemplate> refused;
};

// Runs the four steps. Templates that cannot be used (unpaired, damaged, or
// without the validity marker) are refused with a message and left out; the
// build goes on with the others. A stop ends the build with the model's
// catalogue tables half made: run it on a copy of the model (the session
// does) and keep the copy only when it succeeds.
Result<CatalogueReport> buildCatalogue(ProjectModel& model, const WorkingFolder& folder,
                                       Progress& progress);

// The packages under `folder` and its subfolders, depth first, every folder's
// entries in name order.
std::vector<fs::path> scanPackages(const fs::path& folder);

// Step 3 and 4 on their own: marks and copies the catalogue rows into the
// classified tables and counts their slots.
void classifyCatalogue(ProjectModel& model);

}  // namespace orvane
