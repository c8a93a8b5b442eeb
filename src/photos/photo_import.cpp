#include "photo_import.h"

#include <QFileInfo>

#include "base/folder_snapshot.h"
#include "base/media_file_kind.h"
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

// The folders an import writes to: template instances and the transition
// folder (a new project recreates both), photo thumbnails, and the movie
// unpack folder, where every unpack takes new names.
std::vector<KeptFolder> importedFolders(const WorkingFolder& folder) {
    return {{folder.instancesFolder().parent_path()},
            {folder.thumbnailFolder(1)},
            {folder.movieUnpackFolder(), KeepMode::AddedEntries}};
}

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
    progress.start(steps, QStringLiteral("添加相片"));
    if (work.photos.empty()) work.stagingReset = QStringLiteral("kai");

    CountingProgress counted(progress);
    report.unplaced = runAutoFit(work, counted).unplaced;
    for (const QString& unplaced : report.unplaced) progress.notice(unplaced);
    if (progress.isCancelled()) return stopped(QStringLiteral("the photo import"));
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
    // Without the extension, whatever its length (".jpeg", ".jfif", none).
    row.fileName = mediaBaseName(path);
    row.fileType = mediaExtension(path);
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
    FolderSnapshot snapshot(folder, importedFolders(folder));
    ImportReport report;
    if (auto ok = runImport(work, folder, files, progress, report); !ok)
        return std::unexpected(ok.error());  // the snapshot puts the files back
    snapshot.keep();
    model = std::move(work);
    return report;
}

Result<ImportReport> importReadablePhotos(ProjectModel& model, const WorkingFolder& folder,
                                          const QStringList& files, Progress& progress) {
    QStringList readable;
    QList<RefusedFile> unreadable;
    const auto refuse = [&unreadable](const QString& file, const UserError& error) {
        unreadable << RefusedFile{file, RefusalReason::UnreadablePhoto, error.message};
    };
    for (const QString& file : files) {
        if (progress.isCancelled()) return stopped(QStringLiteral("the photo import"));
        // The smallest decode still reads all of the picture's data, so a
        // cut or damaged file fails here rather than in the thumbnailing.
        if (auto measured = measurePhoto(file); !measured)
            refuse(file, measured.error());
        else if (auto decoded = renderPhoto(file, QSize(8, 8)); !decoded)
            refuse(file, decoded.error());
        else
            readable << file;
    }
    auto report = importPhotos(model, folder, readable, progress);
    if (!report) return report;
    report->unreadable = std::move(unreadable);
    return report;
}

}  // namespace orvane
