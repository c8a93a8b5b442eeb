#pragma once
// The command-line front end: every subcommand drives core operations
// headless. Results go to standard output, errors to standard error, and the
// exit status is 0 only on success.

#include <CLI/CLI.hpp>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/working_folder.h"
#include "session/session.h"

namespace orvane::cli {

// Runs the subcommand named in argv; returns the exit status.
int run(int argc, char** argv);
// Whether `name` is one of the subcommands.
bool isSubcommand(std::string_view name);

// Adds --root DIR to a subcommand; the working folder is built from it.
void addRootOption(CLI::App& command, std::string& root);

// Opens the session of a subcommand on the working folder under `root`
// (absolute, so that paths in its tables are full paths): locks the folder,
// builds the catalogue (templates it refuses are listed on standard error)
// and cleans. A folder that is missing or in use ends the subcommand with
// status 1, changing nothing. `options.root` and `options.holder` are set here.
std::unique_ptr<Session> openSession(const std::string& root, const QString& subcommand,
                                     SessionOptions options = {});

void printError(const QString& message);
// Prints the message and ends the subcommand with a non-zero status.
[[noreturn]] void failWith(const QString& message, int status = 1);

// One function per subcommand, each in its own file.
void addTemplatesCommand(CLI::App& app);
void addUnpackCommand(CLI::App& app);
void addFitCommand(CLI::App& app);
void addLyricsCommand(CLI::App& app);
void addRenderTemplateCommand(CLI::App& app);
void addMakeCommand(CLI::App& app);

}  // namespace orvane::cli
