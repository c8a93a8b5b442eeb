// INI reading and the catalogue build: the input is a template's parameter
// text; it is packed into a parameter package beside a movie package and the
// catalogue is built, read and classified from that store.

#include <QFile>
#include <cstddef>
#include <cstdint>

#include "base/progress.h"
#include "base/project_model.h"
#include "base/working_folder.h"
#include "fuzz_support.h"
#include "package_writer.h"
#include "templates/catalogue.h"
#include "templates/ini_file.h"
#include "templates/package.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const IniFile ini = IniFile::fromBytes(bytes);
    (void)ini.value(QStringLiteral("1"), QStringLiteral("xiangpianshu"));
    (void)ini.hasSection(QStringLiteral("l_x_w_j_s_y"));

    const WorkingFolder folder(fuzz::freshScratchFolder());
    fs::create_directories(folder.parameterStore());
    fs::create_directories(folder.movieStore());
    const packing::Bytes payload(data, data + size);
    if (!packing::writePackage(folder.parameterStore() / "a.rar", payload, kPackageLayers))
        return 0;
    if (!packing::writePackage(folder.movieStore() / "a.rar", {'F', 'W', 'S'}, kPackageLayers))
        return 0;
    ProjectModel model;
    NullProgress progress;
    (void)buildCatalogue(model, folder, progress);
    return 0;
}
