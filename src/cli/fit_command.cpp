// orvane fit: imports photos into a new project in the working folder (the
// matcher, staging and thumbnails of the photo import) and prints the photo
// table with the template counter. The staged templates stay in the working
// folder for a look.

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/cli.h"
#include "photos/photo_import.h"
#include "templates/catalogue.h"

namespace orvane::cli {
namespace {

using Json = nlohmann::ordered_json;

struct FitOptions {
    std::string root;
    std::optional<std::uint64_t> seed;
    std::string cropLandscape = "fullscreen";
    std::string cropPortrait = "zoom";
    std::vector<std::string> photos;
};

Json photoJson(const PhotoEntry& photo) {
    Json object = Json::object();
    for (const auto& f : photoFields()) object[f.name] = f.text(photo).toStdString();
    return object;
}

void runFit(const FitOptions& options) {
    // The staged templates stay in the working folder for a look.
    SessionOptions sessionOptions;
    sessionOptions.cleanAtExit = false;
    const auto session = openSession(options.root, QStringLiteral("fit"), sessionOptions);

    ProjectModel settings = session->model();
    if (options.seed) settings.random.reseed(*options.seed);
    settings.settings.landscapeCrop = options.cropLandscape == "default"
                                          ? LandscapeCrop::TemplateDefault
                                          : LandscapeCrop::FullScreen;
    settings.settings.portraitCrop = options.cropPortrait == "default"
                                         ? PortraitCrop::TemplateDefault
                                         : PortraitCrop::ZoomedPart;
    session->commit(std::move(settings));

    QStringList files;
    for (const std::string& photo : options.photos) files << QString::fromStdString(photo);
    NullProgress progress;
    auto imported = session->apply(
        [&files](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
            auto report = importPhotos(model, folder, files, progress);
            if (!report) return Result<void>(std::unexpected(report.error()));
            for (const QString& notice : report->unplaced) printError(notice);
            return Result<void>();
        },
        progress);
    if (!imported) failWith(imported.error().message);

    const ProjectModel& model = session->model();
    Json photos = Json::array();
    for (const PhotoEntry& photo : model.photos) photos.push_back(photoJson(photo));
    const Json out = {{"templateInstanceCount", model.templateInstanceCount.toStdString()},
                      {"photos", photos}};
    std::cout << out.dump(2) << std::endl;
}

}  // namespace

void addFitCommand(CLI::App& app) {
    auto* command = app.add_subcommand(
        "fit", "import photos into a new project: fit them into templates and stage them");
    auto options = std::make_shared<FitOptions>();
    addRootOption(*command, options->root);
    command->add_option("--seed", options->seed, "seed of the random template draws");
    command
        ->add_option("--crop-landscape", options->cropLandscape,
                     "full-screen slots, landscape photos: fullscreen (default) or default")
        ->check(CLI::IsMember({"fullscreen", "default"}));
    command
        ->add_option("--crop-portrait", options->cropPortrait,
                     "full-screen slots, portrait photos: zoom (default) or default")
        ->check(CLI::IsMember({"zoom", "default"}));
    command->add_option("PHOTO", options->photos, "JPEG photos, in import order")->required();
    command->callback([options] { runFit(*options); });
}

}  // namespace orvane::cli
