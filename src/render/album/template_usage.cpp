#include "render/album/template_usage.h"

#include <array>

namespace orvane {

std::span<const FieldDef<TemplateUsageEntry>> templateUsageFields() {
    using E = TemplateUsageEntry;
    static const std::array<FieldDef<E>, 9> fields{{
        field<&E::index>("index", "序号"),
        field<&E::instanceNo>("instanceNo", "模板文件夹"),
        field<&E::mainTemplateNo>("mainTemplateNo", "对应主模板编号"),
        field<&E::templatePhotoCount>("templatePhotoCount", "对应模板所需照片数量"),
        field<&E::templatePath>("templatePath", "模板地址"),
        field<&E::slotOrientation>("slotOrientation", "模板_竖照横照"),
        field<&E::slotJpgName>("slotJpgName", "模板_相片JPG名称"),
        field<&E::templateFrameCount>("templateFrameCount", "模板swf总帧数"),
        field<&E::moviePath>("moviePath", "解压后的模板地址"),
    }};
    return fields;
}

TemplateUsageTable buildTemplateUsageTable(const ProjectModel& model, const WorkingFolder& folder) {
    bool ok = false;
    const int instances = model.templateInstanceCount.toInt(&ok);
    TemplateUsageTable table;
    for (int n = 1; ok && n <= instances; ++n) {
        TemplateUsageEntry row;
        row.instanceNo = QString::number(n);
        for (const PhotoEntry& photo : model.photos) {
            if (photo.templateFolder != row.instanceNo) continue;
            row.mainTemplateNo = photo.mainTemplateNo;
            row.templatePhotoCount = photo.templatePhotoCount;
            row.templatePath = photo.templatePath;
            row.slotOrientation = photo.slotOrientation;
            row.slotJpgName = photo.slotJpgName;
            row.templateFrameCount = photo.templateFrameCount;
            row.moviePath = toQString(folder.instanceMovie(n));
        }
        table.append(std::move(row));
    }
    return table;
}

TemplateUsageTable playListFrom(const TemplateUsageTable& usage) {
    // Instances whose photos were all removed hold no movie; they do not play.
    std::vector<TemplateUsageEntry> rows;
    for (const TemplateUsageEntry& row : usage)
        if (row.moviePath != QStringLiteral("0")) rows.push_back(row);
    TemplateUsageTable playList;
    playList.assign(std::move(rows));
    return playList;
}

std::vector<int> templateFrameCounts(const TemplateUsageTable& playList) {
    std::vector<int> counts;
    for (const TemplateUsageEntry& row : playList) {
        bool ok = false;
        const int frames = row.templateFrameCount.toInt(&ok);
        counts.push_back(ok && frames > 0 ? frames : 0);
    }
    return counts;
}

}  // namespace orvane
