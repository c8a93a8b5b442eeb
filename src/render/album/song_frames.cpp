#include "render/album/song_frames.h"

#include "av/song_length.h"
#include "base/album_time.h"

namespace orvane {

Result<std::vector<int>> songFrameCounts(const ProjectModel& model) {
    std::vector<int> frames;
    for (const MusicEntry& song : model.music) {
        auto length = av::measureSongLength(song.location);
        if (!length) return std::unexpected(length.error());
        frames.push_back(songFrameCount(length->milliseconds()));
    }
    return frames;
}

std::optional<ProjectModel> withSongFrames(const ProjectModel& model,
                                           const std::vector<int>& frames) {
    std::optional<ProjectModel> updated;
    for (std::size_t i = 0; i < frames.size() && i < model.music.size(); ++i) {
        if (model.music.at(i).frameCount == frames[i]) continue;
        if (!updated) updated = model;
        updated->music.at(i).frameCount = frames[i];
    }
    return updated;
}

}  // namespace orvane
