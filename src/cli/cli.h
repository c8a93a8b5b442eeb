#pragma once
// The command-line front end: every subcommand drives core operations
// headless. Results go to standard output, errors to standard error, and the
// exit status is 0 only on success.

#include <CLI/CLI.hpp>
#include <QString>
#include <filesystem>
#include <string>

#include "app/working_folder.h"

namespace orvane::cli {

// Runs the subcommand named in argv; returns the exit status.
int run(int argc, char** argv);

// Adds --root DIR to a subcommand; the working folder is built from it.
void addRootOption(CLI::App& command, std::string& root);
WorkingFolder workingFolderFor(const std::string& root);

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
