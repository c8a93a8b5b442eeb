#pragma once
// The play list of an album: one TemplateUsageEntry per template instance,
// built from the photo table (the first copy) and copied into the list the
// frame producer walks (the second copy). Pure functions over the model.

#include <QString>
#include <filesystem>
#include <span>
#include <vector>

#include "base/project_model.h"
#include "base/table.h"
#include "base/working_folder.h"

namespace orvane {

struct TemplateUsageEntry {
    QString index;
    QString instanceNo;
    QString mainTemplateNo = QStringLiteral("0");
    QString templatePhotoCount = QStringLiteral("0");
    QString templatePath = QStringLiteral("0");
    QString slotOrientation = QStringLiteral("0");
    QString slotJpgName = QStringLiteral("0");
    QString templateFrameCount = QStringLiteral("0");
    QString moviePath = QStringLiteral("0");
};

using TemplateUsageTable = Table<TemplateUsageEntry>;

std::span<const FieldDef<TemplateUsageEntry>> templateUsageFields();

// One row per template instance 1 … templateInstanceCount, each filled from
// the photos staged in that instance's folder; an instance no photo uses
// keeps "0" in every field but its numbers.
TemplateUsageTable buildTemplateUsageTable(const ProjectModel& model, const WorkingFolder& folder);

// The play list: the rows of `usage` that hold a movie, in order.
TemplateUsageTable playListFrom(const TemplateUsageTable& usage);

// templateFrameCount of every row, as numbers ("0" and non-numbers count 0).
std::vector<int> templateFrameCounts(const TemplateUsageTable& playList);

}  // namespace orvane
