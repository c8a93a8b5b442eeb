// orvane templates: builds the catalogue of the template store and prints the
// catalogue and its landscape, portrait and advanced tables.

#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "templates/catalogue.h"

namespace orvane::cli {
namespace {

using Json = nlohmann::ordered_json;

Json tableJson(const Table<TemplateEntry>& table, std::span<const FieldDef<TemplateEntry>> fields) {
    Json rows = Json::array();
    for (const TemplateEntry& row : table) {
        Json object = Json::object();
        for (const auto& f : fields) object[f.name] = f.text(row).toStdString();
        rows.push_back(std::move(object));
    }
    return rows;
}

void printTable(const char* title, const Table<TemplateEntry>& table,
                std::span<const FieldDef<TemplateEntry>> fields) {
    std::cout << title << " (" << table.size() << ")\n";
    if (table.empty()) return;
    std::cout << "  " << fieldCaptions(fields).join(QStringLiteral(" | ")).toStdString() << "\n";
    for (const TemplateEntry& row : table)
        std::cout << "  " << rowToTexts(row, fields).join(QStringLiteral(" | ")).toStdString()
                  << "\n";
}

}  // namespace

void addTemplatesCommand(CLI::App& app) {
    auto* command = app.add_subcommand("templates", "list the templates of the template store");
    auto root = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    addRootOption(*command, *root);
    command->add_flag("--json", *json, "print one JSON object");
    command->callback([root, json] {
        // A listing leaves the working files of an earlier run alone.
        SessionOptions options;
        options.cleanAtStart = false;
        options.cleanAtExit = false;
        const auto session = openSession(*root, QStringLiteral("templates"), options);
        const ProjectModel& model = session->model();
        const CatalogueReport& report = session->catalogueReport();
        if (*json) {
            Json refused = Json::array();
            for (const RefusedTemplate& r : report.refused)
                refused.push_back(
                    {{"package", r.package.toStdString()}, {"reason", r.reason.toStdString()}});
            Json out = {
                {"catalogue", tableJson(model.catalogue, catalogueFields())},
                {"landscape", tableJson(model.landscapeTemplates, classifiedTemplateFields())},
                {"portrait", tableJson(model.portraitTemplates, classifiedTemplateFields())},
                {"advanced", tableJson(model.advancedTemplates, classifiedTemplateFields())},
                {"refused", refused},
            };
            std::cout << out.dump(2) << std::endl;
        } else {
            printTable("Templates", model.catalogue, catalogueFields());
            printTable("Landscape templates", model.landscapeTemplates, classifiedTemplateFields());
            printTable("Portrait templates", model.portraitTemplates, classifiedTemplateFields());
            printTable("Advanced templates", model.advancedTemplates, classifiedTemplateFields());
        }
    });
}

}  // namespace orvane::cli
