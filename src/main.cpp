// Orvane: with a subcommand the program runs headless (see orvane --help);
// without one it opens its windows.

#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cerrno>
#include <iostream>
#include <string_view>

#include "app/fonts.h"
#include "cli/cli.h"

#ifdef ORVANE_WITH_GUI
#include "app/windows/gui_main.h"
#endif

namespace {

// Qt warns on standard error when XDG_RUNTIME_DIR is unset (common in
// scripts and CI); give it the private folder it would fall back to.
void quietRuntimeFolder() {
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) return;
    const QByteArray folder = QByteArray("/tmp/runtime-") + QByteArray::number(getuid());
    if (mkdir(folder.constData(), 0700) == 0 || errno == EEXIST) qputenv("XDG_RUNTIME_DIR", folder);
}

}  // namespace

int main(int argc, char** argv) {
    quietRuntimeFolder();
    // Windows without arguments, or with only the working folder's root.
    const bool windows = argc == 1 || (argc == 3 && std::string_view(argv[1]) == "--root");
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
