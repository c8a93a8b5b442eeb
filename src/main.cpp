// Orvane: with a subcommand the program runs headless (see orvane --help);
// without one it opens its windows.

#include <QGuiApplication>
#include <iostream>

#include "cli/cli.h"

#ifdef ORVANE_WITH_GUI
#include "app/windows/gui_main.h"
#endif

int main(int argc, char** argv) {
    if (argc > 1) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return orvane::cli::run(argc, argv);
    }
#ifdef ORVANE_WITH_GUI
    return orvane::runGui(argc, argv);
#else
    std::cerr << "this build has no windows; see orvane --help" << std::endl;
    return 2;
#endif
}
