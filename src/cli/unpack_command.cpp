// orvane unpack PACKAGE OUTPUT: unpacks one template package through its
// layers. The intermediate files go to a temporary folder that is removed.

#include <QTemporaryDir>

#include "cli/cli.h"
#include "templates/package.h"

namespace orvane::cli {

void addUnpackCommand(CLI::App& app) {
    auto* command = app.add_subcommand("unpack", "unpack one template package to OUTPUT");
    auto package = std::make_shared<std::string>();
    auto output = std::make_shared<std::string>();
    command->add_option("PACKAGE", *package, "the package file")->required();
    command->add_option("OUTPUT", *output, "where the payload is written")->required();
    command->callback([package, output] {
        QTemporaryDir scratch;
        if (!scratch.isValid()) failWith(QStringLiteral("cannot create a temporary folder"));
        const fs::path folder = toPath(scratch.path());
        auto result = unpackPackage(
            fs::path(*package),
            [&](int n) { return folder / ("layer-" + std::to_string(n) + ".rar"); },
            fs::path(*output));
        if (!result) failWith(result.error().message);
    });
}

}  // namespace orvane::cli
