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
    for (const auto& f : photoFields()) object[f.name] = (photo.*(f.member)).toStdString();
    return object;
}

void runFit(const FitOptions& options) {
    // An absolute root, so that the paths in the photo table are full paths.
    const WorkingFolder folder =
        workingFolderFor(options.root.empty() ? options.root : fs::absolute(options.root).string());
    if (!fs::is_directory(folder.base()))
        failWith(QStringLiteral("no working folder at %1").arg(toQString(folder.base())));

    ProjectModel model;
    if (options.seed) model.random.reseed(*options.seed);
    model.settings.landscapeCrop = options.cropLandscape == "default"
                                       ? LandscapeCrop::TemplateDefault
                                       : LandscapeCrop::FullScreen;
    model.settings.portraitCrop = options.cropPortrait == "default" ? PortraitCrop::TemplateDefault
                                                                    : PortraitCrop::ZoomedPart;
    NullProgress progress;
    const CatalogueReport catalogue = buildCatalogue(model, folder, progress);
    folder.removeTree(folder.parameterUnpackFolder());
    for (const RefusedTemplate& r : catalogue.refused)
        printError(QStringLiteral("refused %1: %2").arg(r.package, r.reason));
    folder.cleanAtStart();

    QStringList files;
    for (const std::string& photo : options.photos) files << QString::fromStdString(photo);
    auto report = importPhotos(model, folder, files, progress);
    if (!report) failWith(report.error().message);
    for (const QString& notice : report->unplaced) printError(notice);

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
