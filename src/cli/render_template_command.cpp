// orvane render-template MOVIE --frames A-B --out DIR [--size WxH]
//   [--pictures DIR] [--sheet FILE.png]
// Plays one template movie (a SWF file or a movie package) with our player
// and writes frames as PNG files, to look at templates without the album
// build. The movie is staged as template instance 1 of a temporary working
// folder and played by the template preview of the core at full picture
// quality, with picture_0 and the slot pictures taken from --pictures or
// generated.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <iostream>

#include "cli/cli.h"
#include "render/album/template_preview.h"
#include "templates/ini_file.h"
#include "templates/package.h"

namespace orvane::cli {

namespace {

struct RenderTemplateOptions {
    std::string movie;
    std::string frames = "0-";
    std::string out;
    std::string size = "1280x720";
    std::string pictures;
    std::string sheet;
};

bool isSwf(const Bytes& b) {
    return b.size() >= 3 && (b[0] == 'F' || b[0] == 'C') && b[1] == 'W' && b[2] == 'S';
}

// The payload of a file: itself when it is a SWF, else unpacked as a package.
Bytes payloadOf(const fs::path& file, const fs::path& scratch, const QString& what) {
    auto bytes = readWholeFile(file);
    if (!bytes) failWith(bytes.error().message);
    if (isSwf(*bytes) || (what == QStringLiteral("INI") && !bytes->empty() && (*bytes)[0] == '['))
        return *bytes;
    const fs::path payload = scratch / ("payload-" + file.filename().string());
    auto unpacked = unpackPackage(
        file, [&](int n) { return scratch / ("layer-" + std::to_string(n) + ".rar"); }, payload);
    if (!unpacked) failWith(unpacked.error().message);
    auto result = readWholeFile(payload);
    if (!result) failWith(result.error().message);
    return *result;
}

struct Slot {
    int width = 0, height = 0;
};

// Slot sizes from the template's parameter package, when the movie sits in
// a template store (wjj_01/<name>.rar beside wjj_02/<name>.rar).
std::vector<Slot> slotsFromStore(const fs::path& movie, const fs::path& scratch) {
    const fs::path params = movie.parent_path().parent_path() / "wjj_02" / movie.filename();
    std::error_code ec;
    if (movie.parent_path().filename() != "wjj_01" || !fs::exists(params, ec)) return {};
    const Bytes text = payloadOf(params, scratch, QStringLiteral("INI"));
    const IniFile ini = IniFile::fromBytes(
        QByteArray(reinterpret_cast<const char*>(text.data()), qsizetype(text.size())));
    const QStringList widths = ini.value(QStringLiteral("1"), QStringLiteral("xpkd"))
                                   .split(QLatin1Char('|'), Qt::SkipEmptyParts);
    const QStringList heights = ini.value(QStringLiteral("1"), QStringLiteral("xpgd"))
                                    .split(QLatin1Char('|'), Qt::SkipEmptyParts);
    std::vector<Slot> slotSizes;
    for (qsizetype i = 0; i < std::min(widths.size(), heights.size()); ++i)
        slotSizes.push_back({widths[i].toInt(), heights[i].toInt()});
    return slotSizes;
}

// A recognisable test picture: a diagonal gradient with its name and a grid.
QImage testPicture(int w, int h, int index) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    const QColor colours[] = {QColor(70, 70, 80),  QColor(200, 90, 60),  QColor(60, 140, 200),
                              QColor(90, 170, 90), QColor(200, 170, 60), QColor(150, 90, 190)};
    const QColor base = colours[index % 6];
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, base.lighter(140));
    g.setColorAt(1, base.darker(160));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 90), std::max(1, w / 400)));
    for (int x = 0; x < w; x += std::max(8, w / 8)) p.drawLine(x, 0, x, h);
    for (int y = 0; y < h; y += std::max(8, h / 6)) p.drawLine(0, y, w, y);
    p.setPen(QPen(Qt::white, std::max(2, w / 200)));
    p.drawRect(image.rect().adjusted(2, 2, -3, -3));
    QFont font;
    font.setPixelSize(std::max(8, std::min(w, h) / 6));
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignCenter,
               QStringLiteral("picture_%1\n%2 x %3").arg(index).arg(w).arg(h));
    return image;
}

// Copies picture_<k>.* from the user's folder, or writes a generated one.
void providePicture(const QString& userFolder, int index, QSize size, const fs::path& target) {
    if (!userFolder.isEmpty()) {
        const QStringList found =
            QDir(userFolder)
                .entryList({QStringLiteral("picture_%1.*").arg(index)}, QDir::Files, QDir::Name);
        if (!found.isEmpty()) {
            std::error_code ec;
            fs::copy_file(toPath(QDir(userFolder).filePath(found.first())), target,
                          fs::copy_options::overwrite_existing, ec);
            if (ec)
                failWith(QStringLiteral("cannot copy %1: %2")
                             .arg(found.first(), QString::fromStdString(ec.message())));
            return;
        }
    }
    if (!testPicture(size.width(), size.height(), index).save(toQString(target), "JPEG", 90))
        failWith(QStringLiteral("cannot write %1").arg(toQString(target)));
}

std::pair<int, int> parseFrames(const std::string& text, int total) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)(-(\\d*))?$"));
    const auto match = pattern.match(QString::fromStdString(text));
    if (!match.hasMatch())
        failWith(QStringLiteral("--frames wants A-B, A- or A, not \"%1\"")
                     .arg(QString::fromStdString(text)));
    const int first = match.captured(1).toInt();
    int last = first;
    if (match.hasCaptured(2))
        last = match.captured(3).isEmpty() ? total - 1 : match.captured(3).toInt();
    last = std::min(last, total - 1);
    if (first > last) failWith(QStringLiteral("--frames: the movie has %1 frames").arg(total));
    return {first, last};
}

QSize parseSize(const std::string& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)x(\\d+)$"));
    const auto match = pattern.match(QString::fromStdString(text));
    const int w = match.captured(1).toInt(), h = match.captured(2).toInt();
    if (!match.hasMatch() || w < 16 || h < 16 || w > 8192 || h > 8192)
        failWith(QStringLiteral("--size wants WxH between 16 and 8192, not \"%1\"")
                     .arg(QString::fromStdString(text)));
    return {w, h};
}

void writeSheet(const std::vector<std::pair<int, QImage>>& frames, const QString& path) {
    if (frames.empty()) return;
    const int columns = 5, thumbW = 320;
    const int thumbH = thumbW * frames.front().second.height() / frames.front().second.width();
    const int rows = int((frames.size() + columns - 1) / columns);
    QImage sheet(columns * (thumbW + 8) + 8, rows * (thumbH + 28) + 8, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 40));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setPen(Qt::white);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const int x = 8 + int(i % columns) * (thumbW + 8), y = 8 + int(i / columns) * (thumbH + 28);
        p.drawImage(QRect(x, y, thumbW, thumbH), frames[i].second);
        p.drawText(QRect(x, y + thumbH, thumbW, 24), Qt::AlignCenter,
                   QStringLiteral("frame %1").arg(frames[i].first));
    }
    p.end();
    if (!sheet.save(path, "PNG")) failWith(QStringLiteral("cannot write %1").arg(path));
}

// The user's picture_0.* from `userFolder`, or a generated one.
QImage startPicture(const QString& userFolder, QSize size) {
    if (!userFolder.isEmpty()) {
        const QStringList found =
            QDir(userFolder).entryList({QStringLiteral("picture_0.*")}, QDir::Files, QDir::Name);
        if (!found.isEmpty()) {
            QImage image(QDir(userFolder).filePath(found.first()));
            if (image.isNull())
                failWith(
                    QStringLiteral("cannot read %1").arg(QDir(userFolder).filePath(found.first())));
            return image;
        }
    }
    return testPicture(size.width(), size.height(), 0);
}

void renderTemplate(const RenderTemplateOptions& o) {
    const fs::path moviePath(o.movie);
    const QSize size = parseSize(o.size);
    QTemporaryDir scratch;
    if (!scratch.isValid()) failWith(QStringLiteral("cannot create a temporary folder"));
    const fs::path root = toPath(scratch.path());
    // The movie is staged as template instance 1 of a scratch working folder
    // and played by the template preview at full picture quality.
    const WorkingFolder folder(root);
    const Bytes swf = payloadOf(moviePath, root, QStringLiteral("movie"));
    fs::create_directories(folder.instanceFolder(1));
    if (auto ok = writeWholeFile(folder.instanceMovie(1), swf); !ok) failWith(ok.error().message);

    std::vector<Slot> slotSizes = slotsFromStore(moviePath, root);
    if (slotSizes.empty()) slotSizes.assign(4, Slot{});  // unknown: four full-screen slotSizes
    const QString pictures = QString::fromStdString(o.pictures);
    for (std::size_t k = 0; k < slotSizes.size(); ++k) {
        const QSize slotSize = slotSizes[k].width > 0 && slotSizes[k].height > 0
                                   ? QSize(slotSizes[k].width, slotSizes[k].height)
                                   : QSize(1920, 1080);
        providePicture(pictures, int(k + 1), slotSize, folder.instancePicture(1, int(k + 1)));
    }

    // Messages of the preview name the staged copies (the template instance
    // and the preview's own copy); the user knows the movie by the name given
    // on the command line.
    const QString stagedMovies[] = {toQString(folder.previewInstanceMovie(1)),
                                    toQString(folder.instanceMovie(1))};
    const QString userMovie = QString::fromStdString(o.movie);
    auto named = [&](QString message) {
        for (const QString& staged : stagedMovies) message.replace(staged, userMovie);
        return message;
    };

    TemplatePreviewOptions previewOptions;
    previewOptions.area = size;
    previewOptions.shrinkPictures = false;
    previewOptions.startPicture = startPicture(pictures, QSize(1920, 1080));
    previewOptions.playEnding = false;
    previewOptions.requireProtocol = false;
    TemplatePreview preview(folder, 1, int(slotSizes.size()), previewOptions);
    if (auto ok = preview.prepare(); !ok) failWith(named(ok.error().message));
    if (auto ok = preview.play(); !ok) failWith(named(ok.error().message));
    const int total = preview.templateFrames();
    const auto [first, last] = parseFrames(o.frames, total);

    const bool writeFrames = !o.out.empty();
    if (writeFrames) {
        std::error_code ec;
        fs::create_directories(o.out, ec);
        if (ec) failWith(QStringLiteral("cannot create %1").arg(QString::fromStdString(o.out)));
    }
    QImage frame(size, QImage::Format_RGB32);
    std::vector<std::pair<int, QImage>> sheetFrames;
    for (int n = first; n <= last; ++n) {
        if (auto ok = preview.paintFrame(n, frame); !ok) failWith(named(ok.error().message));
        if (writeFrames) {
            const QString file =
                QDir(QString::fromStdString(o.out))
                    .filePath(QStringLiteral("frame_%1.png").arg(n, 4, 10, QLatin1Char('0')));
            if (!frame.save(file, "PNG")) failWith(QStringLiteral("cannot write %1").arg(file));
        }
        if (!o.sheet.empty() && n % 10 == 0) sheetFrames.emplace_back(n, frame.copy());
    }
    if (!o.sheet.empty()) writeSheet(sheetFrames, QString::fromStdString(o.sheet));
    for (const QString& warning : preview.warnings())
        printError(QStringLiteral("warning: ") + named(warning));
    std::cout << "rendered frames " << first << "-" << last << " of " << total << " at "
              << size.width() << "x" << size.height() << std::endl;
}

}  // namespace

void addRenderTemplateCommand(CLI::App& app) {
    auto* command =
        app.add_subcommand("render-template", "play a template movie and write its frames as PNG");
    auto options = std::make_shared<RenderTemplateOptions>();
    command->add_option("MOVIE", options->movie, "a SWF movie or a movie package")->required();
    command->add_option("--frames", options->frames,
                        "frames to render: A-B, A- or A (0-based; default all)");
    command->add_option("--out", options->out, "folder for frame_NNNN.png");
    command->add_option("--size", options->size, "output size WxH (default 1280x720)");
    command->add_option(
        "--pictures", options->pictures,
        "folder with picture_0.* (transition picture) and picture_<k>.* (slotSizes); "
        "missing ones are generated");
    command->add_option("--sheet", options->sheet,
                        "write a contact sheet of every 10th frame to this PNG");
    command->callback([options] {
        if (options->out.empty() && options->sheet.empty())
            failWith(QStringLiteral("give --out DIR or --sheet FILE.png"));
        renderTemplate(*options);
    });
}

}  // namespace orvane::cli
