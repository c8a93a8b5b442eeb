// Orvane: with a subcommand the program runs headless (see orvane --help);
// without one it opens its windows.

#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "base/fonts.h"
#include "cli/cli.h"

#ifdef ORVANE_WITH_GUI
#include "app/gui_main.h"
#endif

namespace {

// Qt warns on standard error when XDG_RUNTIME_DIR is unset (common in
// scripts and CI); give it the private folder it would fall back to.
void quietRuntimeFolder() {
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) return;
    const QByteArray folder = QByteArray("/tmp/runtime-") + QByteArray::number(getuid());
    if (mkdir(folder.constData(), 0700) == 0 || errno == EEXIST) qputenv("XDG_RUNTIME_DIR", folder);
}

// The windows open without arguments, with `--root DIR` and with files to
// add (`orvane a.jpg b.mp3`: every other argument an existing file); anything
// else is the command line, which names an unknown subcommand.
bool opensWindows(int argc, char** argv) {
    int i = 1;
    if (argc > 2 && std::string_view(argv[1]) == "--root") i = 3;
    if (i < argc && orvane::cli::isSubcommand(argv[i])) return false;
    for (; i < argc; ++i) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(argv[i], ec)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    quietRuntimeFolder();
    const bool windows = opensWindows(argc, argv);
    if (!windows) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        orvane::installFontSubstitutions();
        return orvane::cli::run(argc, argv);
    }
#ifdef ORVANE_WITH_GUI
    return orvane::runGui(argc, argv);
#else
    std::cerr << "this build has no windows; see orvane --help" << std::endl;
    return 2;
#endif
}
