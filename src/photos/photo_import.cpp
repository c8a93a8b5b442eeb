#include "photo_import.h"

#include <QFileInfo>

#include "photos/auto_fit.h"
#include "photos/new_photo_output.h"
#include "photos/photo_render.h"
#include "photos/staging.h"
#include "templates/package.h"

namespace orvane {
namespace {

// Passes progress on and counts the steps, so that the run can end exactly
// at its announced total.
class CountingProgress : public ForwardingProgress {
   public:
    using ForwardingProgress::ForwardingProgress;
    void advance(int steps = 1) override {
        done += steps;
        m_inner.advance(steps);
    }
    int done = 0;
};

// What the run wrote, so that a failed run can take it away again.
struct RunFiles {
    int instancesBefore = 0;
    int photosBefore = 0;
    int unpacksBefore = 0;
    bool endingExisted = false;

    void removeAfterFailure(const WorkingFolder& folder, const ProjectModel& work) const {
        const int instancesAfter = fieldToInt(work.templateInstanceCount, "templateInstanceCount");
        for (int n = instancesBefore + 1; n <= instancesAfter; ++n)
            folder.removeTree(folder.instanceFolder(n));
        for (int n = photosBefore + 1; n <= work.photos.count(); ++n)
            folder.removeTree(folder.thumbnail(1, n));
        const int unpacksAfter = fieldToInt(work.unpackCounter, "unpackCounter");
        for (int c = unpacksBefore + 1; c <= unpacksAfter; ++c)
            for (int m = 1; m < kPackageLayers; ++m)
                folder.removeTree(folder.movieIntermediate(c, m));
        if (!endingExisted) {
            folder.removeTree(folder.endingFolder());
            for (int m = 1; m < kPackageLayers; ++m)
                folder.removeTree(folder.endingIntermediate(m));
        }
    }
};

Result<void> runImport(ProjectModel& work, const WorkingFolder& folder, const QStringList& files,
                       Progress& progress, ImportReport& report) {
    work.photoWorking.clear();
    for (const QString& file : files) {
        if (progress.isCancelled()) return stopped(QStringLiteral("the photo import"));
        auto row = measurePhoto(file);
        if (!row) return std::unexpected(row.error());
        work.photoWorking.append(std::move(*row));
    }
    const int steps = 4 * work.photoWorking.count();
    progress.start(steps);
    if (work.photos.empty()) work.stagingReset = QStringLiteral("kai");

    CountingProgress counted(progress);
    report.unplaced = runAutoFit(work, counted).unplaced;
    if (auto ok = unpackAssignedTemplates(work, folder, counted); !ok) return ok;
    if (auto ok = thumbnailAndStageNewPhotos(work, folder, counted); !ok) return ok;
    work.photos.renumber();
    progress.advance(steps - counted.done);
    return {};
}

}  // namespace

Result<PhotoEntry> measurePhoto(const QString& path) {
    const QFileInfo info(path);
    auto header = readPhotoHeader(path);
    if (!header) return std::unexpected(header.error());
    PhotoEntry row;
    row.location = info.absoluteFilePath();
    row.fileName = info.fileName().chopped(std::min<qsizetype>(4, info.fileName().size()));
    row.fileType = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    // Upright size: the orientation tag may turn the stored picture.
    const int w = header->displayWidth();
    const int h = header->displayHeight();
    row.width = QString::number(w);
    row.height = QString::number(h);
    row.orientation = photoOrientationFor(w, h);
    return row;
}

QStringList photoListRow(const PhotoEntry& photo) {
    return {photo.index,
            photo.fileName,
            photo.fileType.toLower(),
            photo.width,
            photo.height,
            photo.orientation == kPortrait ? QStringLiteral("竖照片") : QStringLiteral("横照片"),
            QStringLiteral("已绑定"),
            photo.location.toLower()};
}

Result<ImportReport> importPhotos(ProjectModel& model, const WorkingFolder& folder,
                                  const QStringList& files, Progress& progress) {
    if (files.isEmpty()) return ImportReport{};
    ProjectModel work = model;
    RunFiles written;
    written.instancesBefore = fieldToInt(model.templateInstanceCount, "templateInstanceCount");
    written.photosBefore = model.photos.count();
    written.unpacksBefore = fieldToInt(model.unpackCounter, "unpackCounter");
    written.endingExisted = fs::exists(folder.endingMovie());

    ImportReport report;
    Result<void> ok;
    try {
        ok = runImport(work, folder, files, progress, report);
    } catch (...) {
        written.removeAfterFailure(folder, work);
        throw;
    }
    if (!ok) {
        written.removeAfterFailure(folder, work);
        return std::unexpected(ok.error());
    }
    model = std::move(work);
    return report;
}

}  // namespace orvane
