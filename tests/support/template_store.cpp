#include "support/template_store.h"

#include "package_writer.h"

namespace orvane::testing {

QByteArray templateIni(const TemplateSpec& spec) {
    QString text;
    if (spec.marker) text += QStringLiteral("[l_x_w_j_s_y]\r\nl_x_w_j_s_y=s_y_l_x\r\n");
    text += QStringLiteral(
                "[1]\r\nmblx=%1\r\nmbfl=%2\r\nxpsl=%3\r\nxpkd=%4\r\nxpgd=%5\r\n"
                "szhz=%6\r\nxpjpgmc=%7\r\nmbdx=%8\r\n")
                .arg(spec.type, spec.category, spec.photoCount, spec.widths, spec.heights,
                     spec.orientation, spec.jpgNames, spec.frameCount);
    return text.toUtf8();
}

void addTemplate(const WorkingFolder& folder, const std::string& name, const TemplateSpec& spec) {
    const QByteArray ini = templateIni(spec);
    fs::create_directories(folder.parameterStore());
    fs::create_directories(folder.movieStore());
    packing::writePackage(folder.parameterStore() / (name + ".rar"),
                          packing::Bytes(ini.begin(), ini.end()));
    packing::writePackage(folder.movieStore() / (name + ".rar"),
                          packing::Bytes(spec.movie.begin(), spec.movie.end()));
}

}  // namespace orvane::testing
