// template-compiler: turns one template description (JSON) into the
// template's SWF movie and parameter INI, each packed as a 23-layer package.
//
//   template-compiler DESCRIPTION [--movie-package P] [--param-package P]
//                                 [--swf FILE] [--ini FILE]

#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "description.h"
#include "movie_builder.h"
#include "package_writer.h"

namespace {

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error(path + ": cannot be written");
}

void writePackage(const std::string& path, const std::vector<std::uint8_t>& payload) {
    if (!orvane::packing::writePackage(path, payload))
        throw std::runtime_error(path + ": cannot be written");
}

int usage() {
    std::fprintf(stderr,
                 "usage: template-compiler DESCRIPTION [--movie-package P] [--param-package P] "
                 "[--swf FILE] [--ini FILE]\n");
    return 2;
}

// Qt's start-up chatter (runtime folder, fonts) would fill the build log.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "template-compiler: %s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QGuiApplication app(argc, argv);

    std::string description, moviePackage, paramPackage, swfFile, iniFile;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        bool ok = true;
        if (arg == "--movie-package")
            ok = value(moviePackage);
        else if (arg == "--param-package")
            ok = value(paramPackage);
        else if (arg == "--swf")
            ok = value(swfFile);
        else if (arg == "--ini")
            ok = value(iniFile);
        else if (description.empty() && !arg.starts_with("--"))
            description = arg;
        else
            ok = false;
        if (!ok) return usage();
    }
    if (description.empty()) return usage();

    try {
        const orvane::tc::TemplateDescription d = orvane::tc::readDescription(description);
        const std::vector<std::uint8_t> movie = orvane::tc::buildMovie(d);
        const std::string ini = orvane::tc::templateIni(d);
        const std::vector<std::uint8_t> iniBytes(ini.begin(), ini.end());
        if (!swfFile.empty()) writeFile(swfFile, movie);
        if (!iniFile.empty()) writeFile(iniFile, iniBytes);
        if (!moviePackage.empty()) writePackage(moviePackage, movie);
        if (!paramPackage.empty()) {
            if (d.slots.empty())
                throw std::runtime_error(description +
                                         ": a template without slots has no parameters");
            writePackage(paramPackage, iniBytes);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "template-compiler: %s\n", e.what());
        return 1;
    }
    return 0;
}
