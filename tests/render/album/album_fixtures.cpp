#include "album_fixtures.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QPainter>
#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "audio/media_import.h"
#include "description.h"
#include "movie_builder.h"
#include "package_writer.h"
#include "photos/jpeg_writer.h"
#include "photos/photo_import.h"
#include "templates/catalogue.h"

namespace orvane::testing {

namespace {

nlohmann::json templateJson(int frames, int transitionFrames, bool ending) {
    nlohmann::json d = {{"title", "test"},
                        {"type", ending ? "片尾" : "单张横照全屏"},
                        {"category", "测试"},
                        {"frames", frames},
                        {"background", "#000000"}};
    nlohmann::json layers = nlohmann::json::array();
    if (ending) {
        d["slots"] = nlohmann::json::array();
        layers.push_back(
            {{"kind", "shape"}, {"shape", "rect"}, {"w", 1920}, {"h", 1080}, {"fill", "#3050a0"}});
    } else {
        d["slots"] = {{{"orientation", "heng"}, {"width", 0}, {"height", 0}}};
        layers.push_back({{"kind", "photo"},
                          {"slot", 1},
                          {"keys", {{{"f", 0}, {"scale", 1.0}, {"x", 960.0}, {"y", 540.0}}}}});
    }
    layers.push_back(
        {{"kind", "transition"},
         {"to", transitionFrames},
         {"keys", {{{"f", 0}, {"alpha", 1}}, {{"f", transitionFrames}, {"alpha", 0}}}}});
    d["layers"] = layers;
    return d;
}

std::string compile(const nlohmann::json& description) {
    const auto bytes = tc::buildMovie(tc::parseDescription(description));
    return std::string(bytes.begin(), bytes.end());
}

packing::Bytes toBytes(const std::string& s) { return packing::Bytes(s.begin(), s.end()); }

}  // namespace

std::string templateMovie(int frames, int transitionFrames) {
    return compile(templateJson(frames, transitionFrames, false));
}

std::string patchedMovie(std::string movie, const std::string& from, const std::string& to) {
    if (from.size() != to.size()) throw std::invalid_argument("patchedMovie: lengths differ");
    const auto at = movie.find(from);
    if (at == std::string::npos) throw std::invalid_argument("patchedMovie: text not found");
    movie.replace(at, from.size(), to);
    return movie;
}

void writeStore(const WorkingFolder& folder, const std::vector<int>& templateFrames,
                int endingFrames) {
    fs::create_directories(folder.parameterStore());
    fs::create_directories(folder.movieStore());
    fs::create_directories(folder.endingPackage().parent_path());
    for (std::size_t i = 0; i < templateFrames.size(); ++i) {
        const auto description = tc::parseDescription(templateJson(templateFrames[i], 5, false));
        const std::string name = "t" + std::to_string(i + 1) + ".rar";
        const std::string ini = tc::templateIni(description);
        packing::writePackage(folder.parameterStore() / name, toBytes(ini));
        packing::writePackage(folder.movieStore() / name,
                              toBytes(compile(templateJson(templateFrames[i], 5, false))));
    }
    packing::writePackage(folder.endingPackage(),
                          toBytes(compile(templateJson(endingFrames, 5, true))));
    fs::create_directories(folder.loadFolder());
    fs::create_directories(folder.base() / "tp_0");
}

void stageInstance(const WorkingFolder& folder, int n, const std::string& movie, QColor colour) {
    fs::create_directories(folder.instanceFolder(n));
    writeFile(folder.instanceMovie(n), movie);
    QImage picture(1920, 1080, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(saveJpeg(picture, folder.instancePicture(n, 1)).has_value());
}

void stageEnding(const WorkingFolder& folder, int frames) {
    fs::create_directories(folder.endingFolder());
    writeFile(folder.endingMovie(), compile(templateJson(frames, 5, true)));
}

void writePhoto(const fs::path& file, int width, int height, QColor colour) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    QPainter painter(&picture);
    painter.fillRect(0, 0, width / 4, height / 4, Qt::white);  // shows where the photo sits
    painter.end();
    ASSERT_TRUE(saveJpeg(picture, file).has_value());
}

void writeSong(const fs::path& file, double seconds) {
    const std::string command =
        "ffmpeg -v error -y -f lavfi -i sine=frequency=440:duration=" + std::to_string(seconds) +
        " -ac 2 -ar 44100 -c:a libmp3lame '" + file.string() + "'";
    ASSERT_EQ(runCommand(command), 0) << command;
}

ProjectModel importedProject(const WorkingFolder& folder, const std::vector<fs::path>& photos,
                             std::uint64_t seed) {
    ProjectModel model;
    model.random.reseed(seed);
    NullProgress progress;
    if (!buildCatalogue(model, folder, progress)) throw OrvaneError(QStringLiteral("no catalogue"));
    folder.removeTree(folder.parameterUnpackFolder());
    folder.cleanAtStart();
    QStringList files;
    for (const fs::path& photo : photos) files << toQString(photo);
    auto report = importPhotos(model, folder, files, progress);
    EXPECT_TRUE(report.has_value()) << (report ? "" : report.error().message.toStdString());
    return model;
}

void addSongs(ProjectModel& model, const WorkingFolder& folder,
              const std::vector<fs::path>& songs) {
    MediaPanes panes;
    QStringList files;
    for (const fs::path& song : songs) files << toQString(song);
    NullProgress progress;
    const MediaImportReport report = importSongs(model, folder, panes, files, progress).value();
    EXPECT_TRUE(report.skipped.isEmpty()) << report.skipped.front().detail.toStdString();
}

int runCommand(const std::string& command, std::string* output) {
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    std::array<char, 4096> buffer{};
    std::string text;
    while (std::fgets(buffer.data(), buffer.size(), pipe)) text += buffer.data();
    const int status = ::pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string probeStream(const fs::path& file, const std::string& stream, const std::string& entry) {
    std::string out;
    const std::string selector =
        stream.empty() ? "-show_entries format=" + entry
                       : "-select_streams " + stream + " -show_entries stream=" + entry;
    runCommand("ffprobe -v error " + selector + " -of default=nw=1:nk=1 '" + file.string() + "'",
               &out);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

double probeDuration(const fs::path& file, const std::string& stream) {
    // Decoding gives the true length; container headers of MPEG streams do not.
    std::string out;
    runCommand("ffprobe -v error -select_streams " + stream +
                   " -show_entries packet=pts_time,duration_time -of csv=p=0 '" + file.string() +
                   "'",
               &out);
    double first = -1, end = 0;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        double pts = 0, duration = 0;
        if (std::sscanf(line.c_str(), "%lf,%lf", &pts, &duration) < 1) continue;
        if (first < 0 || pts < first) first = pts;
        end = std::max(end, pts + duration);
    }
    return first < 0 ? 0 : end - first;
}

int countVideoFrames(const fs::path& file) {
    const std::string n = probeStream(file, "v:0", "nb_read_frames -count_frames");
    return n.empty() ? -1 : std::stoi(n);
}

QImage videoFrame(const fs::path& file, int index) {
    const fs::path png = fs::temp_directory_path() / ("orvane_frame_" + std::to_string(::getpid()) +
                                                      "_" + std::to_string(index) + ".png");
    runCommand("ffmpeg -v error -y -i '" + file.string() + "' -vf \"select=eq(n\\," +
               std::to_string(index) + ")\" -vsync 0 -frames:v 1 '" + png.string() + "'");
    QImage image(toQString(png));
    fs::remove(png);
    return image.convertToFormat(QImage::Format_RGB32);
}

double differingShare(const QImage& a, const QImage& b, int tolerance) {
    if (a.size() != b.size() || a.isNull()) return 1.0;
    const QImage ca = a.convertToFormat(QImage::Format_RGB32);
    const QImage cb = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int y = 0; y < ca.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(ca.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(cb.constScanLine(y));
        for (int x = 0; x < ca.width(); ++x)
            if (std::abs(qRed(la[x]) - qRed(lb[x])) > tolerance ||
                std::abs(qGreen(la[x]) - qGreen(lb[x])) > tolerance ||
                std::abs(qBlue(la[x]) - qBlue(lb[x])) > tolerance)
                ++differing;
    }
    return static_cast<double>(differing) / (static_cast<double>(ca.width()) * ca.height());
}

QColor meanColour(const QImage& image, const QRect& rect) {
    long long r = 0, g = 0, b = 0, n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p), ++n;
        }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

}  // namespace orvane::testing
