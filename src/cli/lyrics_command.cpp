// orvane lyrics: prints what the parser makes of one lyric file: the LRC
// time table of an LRC file, or the line table of a KSC karaoke file with its
// units, frames and widths.

#include <QFileInfo>
#include <iostream>
#include <nlohmann/json.hpp>

#include "audio/ksc_parser.h"
#include "audio/lrc_parser.h"
#include "audio/script_converter.h"
#include "base/fonts.h"
#include "base/text_lines.h"
#include "cli/cli.h"

namespace orvane::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string utf8(const QString& text) { return text.toStdString(); }

bool isKaraokeFile(const QString& path, const QStringList& lines) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("ksc")) return true;
    if (suffix == QLatin1String("lrc")) return false;
    for (const QString& line : lines)
        if (line.startsWith(QLatin1String("karaoke.add"))) return true;
    return false;
}

void printLrc(const LrcTables& tables, bool json) {
    if (json) {
        Json rows = Json::array();
        for (const LrcRow& row : tables.timeTable)
            rows.push_back({{"time", utf8(row.time)}, {"text", utf8(row.text)}});
        std::cout << rows.dump(2) << std::endl;
        return;
    }
    for (const LrcRow& row : tables.timeTable)
        std::cout << utf8(row.time) << "\t" << utf8(row.text) << "\n";
}

void printKsc(const KscDocument& doc, bool json) {
    if (json) {
        Json lines = Json::array();
        for (const KscLine& line : doc.lines) {
            Json units = Json::array();
            for (const KscUnit& unit : line.units)
                units.push_back(
                    {{"text", utf8(unit.text)}, {"frames", unit.frames}, {"width", unit.width}});
            lines.push_back({{"start", utf8(line.start)},
                             {"end", utf8(line.end)},
                             {"text", utf8(line.text)},
                             {"durations", utf8(line.durations)},
                             {"appear", utf8(line.appear)},
                             {"hide", utf8(line.hide)},
                             {"sweep", utf8(line.sweep)},
                             {"row", utf8(line.row)},
                             {"processed", utf8(line.processed)},
                             {"units", std::move(units)}});
        }
        std::cout << lines.dump(2) << std::endl;
        return;
    }
    int n = 0;
    for (const KscLine& line : doc.lines) {
        std::cout << ++n << ". " << utf8(line.start) << " - " << utf8(line.end) << "  row "
                  << utf8(line.row) << "  appear " << utf8(line.appear) << "  sweep "
                  << utf8(line.sweep) << "  hide " << utf8(line.hide) << "\n   "
                  << utf8(line.processed) << "\n  ";
        for (const KscUnit& unit : line.units)
            std::cout << " " << utf8(unit.text) << "(" << unit.frames << "f " << unit.width
                      << "px)";
        std::cout << "\n";
    }
}

}  // namespace

void addLyricsCommand(CLI::App& app) {
    auto* command =
        app.add_subcommand("lyrics", "print what the parser makes of an LRC or KSC file");
    auto file = std::make_shared<std::string>();
    auto script = std::make_shared<std::string>("jianti");
    auto json = std::make_shared<bool>(false);
    command->add_option("FILE", *file, "the LRC or KSC file")->required();
    command->add_option("--script", *script, "script of the karaoke text (default jianti)")
        ->check(CLI::IsMember({"jianti", "fanti"}));
    command->add_flag("--json", *json, "print JSON");
    command->callback([file, script, json] {
        installFontSubstitutions();
        const QString path = QString::fromStdString(*file);
        auto lines = readTextLines(path);
        if (!lines) failWith(lines.error().message);
        if (!isKaraokeFile(path, *lines)) {
            printLrc(parseLrc(*lines), *json);
            return;
        }
        ScriptConverter converter;
        const KaraokeEntry defaults;
        const KscDocument doc = parseKsc(
            *lines, {karaokeFontSize(defaults), QString::fromStdString(*script)}, converter);
        for (const KscSkippedLine& s : doc.skipped)
            printError(
                QStringLiteral("%1:%2: line skipped: %3").arg(path).arg(s.fileLine).arg(s.reason));
        printKsc(doc, *json);
    });
}

}  // namespace orvane::cli
