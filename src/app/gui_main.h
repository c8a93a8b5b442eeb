#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>

namespace orvane {

struct WindowsOptions {
    // The folder that holds smxcwjj; empty: the executable's folder.
    std::filesystem::path root;
    // The single-instance guard's lock file; empty: the usual one.
    QString instanceLockPath;
    // Photos, songs and lyric files to add once the windows are up (files
    // the program was started with).
    QStringList files;
};

// Starts the windows in a running QApplication: takes the single-instance
// guard (a second start ends at once with status 0), opens the session (a
// working folder in use or missing is named in the message window, then the
// program ends with status 1) and runs the main window until it closes.
int startWindows(const WindowsOptions& options);

// Makes the QApplication and starts the windows: `orvane [--root DIR]
// [FILE...]`; DIR holds smxcwjj, the files are added to the new project.
int runGui(int argc, char** argv);

}  // namespace orvane
