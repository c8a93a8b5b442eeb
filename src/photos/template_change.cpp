#include "photos/template_change.h"

#include <QDir>
#include <algorithm>

#include "base/folder_snapshot.h"
#include "photos/auto_fit.h"
#include "photos/new_photo_output.h"
#include "photos/staging.h"

namespace orvane {
namespace {

const QString kOne = QStringLiteral("1");
constexpr PhotoStep kNo = PhotoStep::Pending;

const Table<TemplateEntry>& catalogueOf(const ProjectModel& model, const QString& orientation) {
    return orientation == kPortrait ? model.portraitTemplates : model.landscapeTemplates;
}

}  // namespace

std::vector<TemplateEntry> templateChoices(const ProjectModel& model, std::size_t row) {
    std::vector<TemplateEntry> choices;
    if (row >= model.photos.size()) return choices;
    const PhotoEntry& photo = model.photos.at(row);
    for (const TemplateEntry& t : catalogueOf(model, photo.orientation))
        if (t.photoCount == kOne) choices.push_back(t);
    return choices;
}

bool photoHasOwnTemplate(const ProjectModel& model, std::size_t row) {
    if (row >= model.photos.size()) return false;
    const QString& instance = model.photos.at(row).templateFolder;
    int sharing = 0;
    for (const PhotoEntry& photo : model.photos) sharing += photo.templateFolder == instance;
    return sharing == 1;
}

Result<void> changePhotoTemplate(ProjectModel& model, const WorkingFolder& folder, std::size_t row,
                                 const QString& templateLocation, Progress& progress) {
    if (row >= model.photos.size()) return fail(QStringLiteral("没有添加相片文件！"));
    const PhotoEntry& photo = model.photos.at(row);
    if (!photoHasOwnTemplate(model, row))
        return fail(QStringLiteral("这张相片和其它相片共用一个模板，不能单独更换。"));
    const std::vector<TemplateEntry> choices = templateChoices(model, row);
    const auto chosen = std::ranges::find(choices, templateLocation, &TemplateEntry::location);
    if (chosen == choices.end())
        return fail(QStringLiteral("模板 %1 不适合这张相片：%2")
                        .arg(QDir::toNativeSeparators(templateLocation),
                             QDir::toNativeSeparators(photo.location)));

    // Rows still waiting for staging would be staged here too; the import finishes them.
    const bool pending = std::ranges::any_of(model.photos, [](const PhotoEntry& p) {
        return p.thumbnailState == kNo || p.cropState == kNo;
    });
    if (pending || model.stagingReset == QStringLiteral("kai"))
        return fail(QStringLiteral("相片还没有处理完，不能更换模板。"));

    ProjectModel work = model;
    PhotoEntry& changed = work.photos.at(row);
    const QString oldWidth = changed.requiredWidth, oldHeight = changed.requiredHeight;
    assignTemplate(changed, *chosen, 1, changed.templateFolder, QStringLiteral("picture_1"));
    if (changed.requiredWidth != oldWidth || changed.requiredHeight != oldHeight)
        changed.manualCrop.reset();
    // Only this photo is unpacked and staged again (its thumbnail too).
    changed.thumbnailState = changed.cropState = kNo;

    const int instance = fieldToInt(changed.templateFolder, "templateFolder");
    FolderSnapshot snapshot(folder, {{folder.instanceFolder(instance)},
                                     {folder.thumbnailFolder(1)},
                                     {folder.thumbnailFolder(2)},
                                     {folder.thumbnailFolder(3)},
                                     {folder.movieUnpackFolder(), KeepMode::AddedEntries}});
    progress.start(3, QStringLiteral("更换模板"));
    // The old movie and slot picture go; the folder is filled anew.
    folder.recreateFolder(folder.instanceFolder(instance));
    if (auto ok = unpackAssignedTemplates(work, folder, progress); !ok) return ok;
    if (auto ok = thumbnailAndStageNewPhotos(work, folder, progress); !ok) return ok;
    snapshot.keep();
    model = std::move(work);
    return {};
}

}  // namespace orvane
