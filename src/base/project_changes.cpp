#include "base/project_changes.h"

namespace orvane {

std::vector<ProjectTable> changedTables(const ProjectModel& before, const ProjectModel& after) {
    std::vector<ProjectTable> out;
    auto note = [&out](bool changed, ProjectTable table) {
        if (changed) out.push_back(table);
    };
    // Template instances belong to the photos that use them.
    note(before.photos != after.photos ||
             before.templateInstanceCount != after.templateInstanceCount,
         ProjectTable::Photos);
    note(before.catalogue != after.catalogue ||
             before.landscapeTemplates != after.landscapeTemplates ||
             before.portraitTemplates != after.portraitTemplates ||
             before.advancedTemplates != after.advancedTemplates,
         ProjectTable::Catalogue);
    note(before.music != after.music, ProjectTable::Music);
    note(before.lyrics != after.lyrics, ProjectTable::Lyrics);
    note(before.karaoke != after.karaoke, ProjectTable::Karaoke);
    note(before.textEffects != after.textEffects, ProjectTable::TextEffects);
    note(before.pictureEffects != after.pictureEffects, ProjectTable::PictureEffects);
    note(before.settings != after.settings, ProjectTable::Settings);
    return out;
}

QString projectTableName(ProjectTable table) {
    switch (table) {
        case ProjectTable::Photos:
            return QStringLiteral("photos");
        case ProjectTable::Catalogue:
            return QStringLiteral("catalogue");
        case ProjectTable::Music:
            return QStringLiteral("music");
        case ProjectTable::Lyrics:
            return QStringLiteral("lyrics");
        case ProjectTable::Karaoke:
            return QStringLiteral("karaoke");
        case ProjectTable::TextEffects:
            return QStringLiteral("text effects");
        case ProjectTable::PictureEffects:
            return QStringLiteral("picture effects");
        case ProjectTable::Settings:
            return QStringLiteral("settings");
    }
    return {};
}

}  // namespace orvane
