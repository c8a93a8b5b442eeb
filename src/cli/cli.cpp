#include "cli/cli.h"

#include <iostream>

#include "base/error.h"

namespace orvane::cli {

void addRootOption(CLI::App& command, std::string& root) {
    command.add_option("--root", root,
                       "folder that holds the working folder smxcwjj (default: the "
                       "executable's folder)");
}

std::unique_ptr<Session> openSession(const std::string& root, const QString& subcommand,
                                     SessionOptions options) {
    options.root = root.empty() ? executableFolder() : fs::absolute(root);
    options.holder = QStringLiteral("orvane ") + subcommand;
    NullProgress progress;
    auto session = Session::open(options, progress);
    if (!session)
        failWith(session.error().message +
                 QStringLiteral(" (--root DIR chooses the folder that holds smxcwjj.)"));
    for (const RefusedTemplate& r : (*session)->catalogueReport().refused)
        printError(QStringLiteral("refused %1: %2").arg(r.package, r.reason));
    return std::move(*session);
}

void printError(const QString& message) { std::cerr << message.toStdString() << std::endl; }

void failWith(const QString& message, int status) {
    printError(message);
    throw CLI::RuntimeError(status);
}

bool isSubcommand(std::string_view name) {
    for (std::string_view subcommand :
         {"templates", "unpack", "fit", "lyrics", "render-template", "make"})
        if (name == subcommand) return true;
    return false;
}

int run(int argc, char** argv) {
    CLI::App app{"Orvane album maker. Without a subcommand the windows open."};
    app.require_subcommand(1);
    addTemplatesCommand(app);
    addUnpackCommand(app);
    addFitCommand(app);
    addLyricsCommand(app);
    addRenderTemplateCommand(app);
    addMakeCommand(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const OrvaneError& e) {
        printError(e.message());
        return 1;
    } catch (const std::exception& e) {
        printError(QString::fromUtf8(e.what()));
        return 1;
    }
    return 0;
}

}  // namespace orvane::cli
