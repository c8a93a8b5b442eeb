#include "templates/catalogue.h"

#include <QFile>
#include <algorithm>

#include "base/folder_snapshot.h"
#include "templates/bar_list.h"
#include "templates/ini_file.h"
#include "templates/package.h"

namespace orvane {
namespace {

const QString kMarkerSection = QStringLiteral("l_x_w_j_s_y");
const QString kMarkerValue = QStringLiteral("s_y_l_x");
const QString kParams = QStringLiteral("1");

bool nameLess(const fs::path& a, const fs::path& b) {
    const QString na = toQString(a.filename());
    const QString nb = toQString(b.filename());
    const int c = na.compare(nb, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : na < nb;
}

void scanInto(const fs::path& folder, std::vector<fs::path>& found, int depth) {
    if (depth > 64) return;  // a link loop or an absurd tree
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end(), nameLess);
    for (const fs::path& entry : entries) {
        if (fs::is_directory(entry, ec))
            scanInto(entry, found, depth + 1);
        else if (isPackageFileName(entry))
            found.push_back(entry);
    }
}

TemplateEntry entryFromIni(const IniFile& ini, const QString& moviePackage, int seqNo) {
    TemplateEntry e;
    e.templateType = ini.value(kParams, QStringLiteral("mblx"));
    e.category = ini.value(kParams, QStringLiteral("mbfl"));
    e.photoCount = ini.value(kParams, QStringLiteral("xpsl"));
    e.photoWidth = ini.value(kParams, QStringLiteral("xpkd"));
    e.photoHeight = ini.value(kParams, QStringLiteral("xpgd"));
    e.orientation = ini.value(kParams, QStringLiteral("szhz"));
    e.jpgName = ini.value(kParams, QStringLiteral("xpjpgmc"));
    e.location = moviePackage;
    e.seqNo = QString::number(seqNo);
    e.frameCount = ini.value(kParams, QStringLiteral("mbdx"));
    return e;
}

QString markFor(const QStringList& items) {
    if (items.isEmpty()) return {};
    for (const char* mark : {"heng", "shu", "shuheng"}) {
        const QString m = QString::fromLatin1(mark);
        if (std::all_of(items.begin(), items.end(), [&](const QString& s) { return s == m; }))
            return m;
    }
    return QStringLiteral("gaojimoban");
}

// In the landscape and advanced tables "shuheng" slots count as landscape,
// in the portrait table as portrait.
void countSlots(Table<TemplateEntry>& table, bool shuhengIsPortrait) {
    for (TemplateEntry& row : table) {
        const QStringList items = parseBarList(row.orientation);
        if (items.isEmpty()) continue;
        const auto landscape = std::count_if(items.begin(), items.end(), [&](const QString& s) {
            return s == u"heng" || (!shuhengIsPortrait && s == u"shuheng");
        });
        const auto portrait = std::count_if(items.begin(), items.end(), [&](const QString& s) {
            return s == u"shu" || (shuhengIsPortrait && s == u"shuheng");
        });
        row.landscapeCount = QString::number(landscape);
        row.portraitCount = QString::number(portrait);
    }
}

}  // namespace

std::vector<fs::path> scanPackages(const fs::path& folder) {
    std::vector<fs::path> found;
    scanInto(folder, found, 0);
    return found;
}

void classifyCatalogue(ProjectModel& model) {
    model.landscapeTemplates.clear();
    model.portraitTemplates.clear();
    model.advancedTemplates.clear();
    for (TemplateEntry& row : model.catalogue) {
        const QStringList items = parseBarList(row.orientation);
        if (!items.isEmpty()) row.categoryMark = markFor(items);
    }
    for (const TemplateEntry& row : model.catalogue) {
        TemplateEntry copy = row;
        copy.landscapeCount = QStringLiteral("0");
        copy.portraitCount = QStringLiteral("0");
        if (row.categoryMark == u"heng") {
            model.landscapeTemplates.append(copy);
        } else if (row.categoryMark == u"shu") {
            model.portraitTemplates.append(copy);
        } else if (row.categoryMark == u"shuheng") {
            model.landscapeTemplates.append(copy);
            model.portraitTemplates.append(copy);
        } else if (row.categoryMark == u"gaojimoban") {
            model.advancedTemplates.append(copy);
        }
    }
    countSlots(model.landscapeTemplates, false);
    countSlots(model.portraitTemplates, true);
    countSlots(model.advancedTemplates, false);
}

Result<CatalogueReport> buildCatalogue(ProjectModel& model, const WorkingFolder& folder,
                                       Progress& progress) {
    CatalogueReport report;
    // The unpacked parameter files are the build's only files; a stop or a
    // failure leaves the unpack folder as it was.
    FolderSnapshot snapshot(folder, {{folder.parameterUnpackFolder()}});

    // Step 1: scan.
    folder.recreateFolder(folder.parameterUnpackFolder());
    CatalogueScanLists& lists = model.catalogueScan;
    lists = {};
    const std::vector<fs::path> parameters = scanPackages(folder.parameterStore());
    const std::vector<fs::path> movies = scanPackages(folder.movieStore());
    for (const fs::path& p : parameters) lists.foundPackages << toQString(p);
    for (const fs::path& p : movies) lists.foundPackages << toQString(p);

    // The i-th parameter package belongs to the i-th movie package; a package
    // of either kind without a partner is refused.
    const std::size_t pairs = std::min(parameters.size(), movies.size());
    for (std::size_t i = pairs; i < parameters.size(); ++i)
        report.refused.push_back({toQString(parameters[i]),
                                  QStringLiteral("parameter package without a movie package"),
                                  RefusalCause::NoMovie});
    for (std::size_t i = pairs; i < movies.size(); ++i)
        report.refused.push_back({toQString(movies[i]),
                                  QStringLiteral("movie package without a parameter package"),
                                  RefusalCause::NoParameters});
    for (std::size_t a = 0; a < pairs; ++a) {
        lists.pairingRows << QStringLiteral("%1=   %2   %3").arg(a + 1).arg(2 * a).arg(2 * a + 1);
        lists.parameterPackages << toQString(parameters[a]);
        lists.moviePackages << toQString(movies[a]);
    }

    // Step 2: read parameters.
    model.catalogue.clear();
    progress.start(static_cast<int>(pairs), QStringLiteral("读取模板参数"));
    for (std::size_t i = 0; i < pairs; ++i) {
        if (progress.isCancelled()) return stopped(QStringLiteral("the template catalogue build"));
        const int number = static_cast<int>(i) + 1;
        const fs::path ini = folder.parameterPayload(number);
        auto unpacked = unpackPackage(
            parameters[i], [&](int n) { return folder.parameterIntermediate(number, n); }, ini);
        if (!unpacked) {
            report.refused.push_back(
                {toQString(parameters[i]), unpacked.error().message, RefusalCause::Damaged});
        } else {
            QFile file(toQString(ini));
            if (file.open(QIODevice::ReadOnly)) {
                const IniFile parsed = IniFile::fromBytes(file.readAll());
                file.close();
                if (parsed.value(kMarkerSection, kMarkerSection) != kMarkerValue)
                    report.refused.push_back(
                        {toQString(parameters[i]),
                         QStringLiteral("template parameters without the validity marker"),
                         RefusalCause::NoMarker});
                else
                    model.catalogue.append(
                        entryFromIni(parsed, toQString(movies[i]), static_cast<int>(i)));
            }
            std::error_code ignored;
            fs::remove(ini, ignored);
        }
        progress.advance();
    }

    // Steps 3 and 4.
    classifyCatalogue(model);
    for (const RefusedTemplate& r : report.refused)
        progress.log(QStringLiteral("%1: %2").arg(r.package, r.reason));
    snapshot.keep();
    return report;
}

}  // namespace orvane
