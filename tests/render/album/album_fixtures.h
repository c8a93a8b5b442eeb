#pragma once
// Fixtures of the album tests: a working folder with a small store of
// compiled test templates (one full-screen landscape slot, a transition
// from picture_0 over the first frames, then the photo), photos and songs
// made on the spot, a project imported from them, and the ffprobe/ffmpeg
// helpers that look at what was made.

#include <QColor>
#include <QImage>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "base/project_model.h"
#include "base/working_folder.h"
#include "support/test_support.h"

namespace orvane::testing {

// A compiled template movie (uncompressed SWF) of `frames` frames whose
// first `transitionFrames` fade from picture_0 to the photo.
std::string templateMovie(int frames, int transitionFrames = 5);
// The movie with one text replaced by another of the same length (to break
// the template protocol on purpose).
std::string patchedMovie(std::string movie, const std::string& from, const std::string& to);

// A working folder with a store of landscape templates of the given frame
// counts and the ending movie of `endingFrames` frames.
void writeStore(const WorkingFolder& folder, const std::vector<int>& templateFrames,
                int endingFrames = 60);

// A movie and its slot picture (a single colour) as template instance n.
void stageInstance(const WorkingFolder& folder, int n, const std::string& movie, QColor colour);
// The ending movie, staged as the import stages it.
void stageEnding(const WorkingFolder& folder, int frames);

void writePhoto(const fs::path& file, int width, int height, QColor colour);
void writeSong(const fs::path& file, double seconds);

// A project with the store's catalogue and `photos` imported (seed fixed).
ProjectModel importedProject(const WorkingFolder& folder, const std::vector<fs::path>& photos,
                             std::uint64_t seed = 1);
// Adds songs (measured as the import does) to the project.
void addSongs(ProjectModel& model, const WorkingFolder& folder, const std::vector<fs::path>& songs);

// ffprobe: one value of a stream ("v:0", "a:0") or the format.
std::string probeStream(const fs::path& file, const std::string& stream, const std::string& entry);
double probeDuration(const fs::path& file, const std::string& stream);
int countVideoFrames(const fs::path& file);
// Frame `index` of a video, decoded by ffmpeg.
QImage videoFrame(const fs::path& file, int index);

// Share of pixels differing by more than `tolerance` in some channel.
double differingShare(const QImage& a, const QImage& b, int tolerance = 40);
// The mean colour of a rectangle.
QColor meanColour(const QImage& image, const QRect& rect);

// Runs a shell command; returns its exit status and fills `output`.
int runCommand(const std::string& command, std::string* output = nullptr);

}  // namespace orvane::testing
