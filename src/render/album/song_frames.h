#pragma once
// How many album frames each song lasts, for the timeline. Every song is
// measured again from its file with the media layer's song length, the
// measure the import stored in frameCount and the encoder plans its samples
// with, so the timeline, the song table and the sound track agree. Any
// thread; the model is only read.

#include <optional>
#include <vector>

#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

// The album frames of every song in MusicTable order (whole seconds × 25).
// Fails with a message naming the first song that cannot be read, so that
// nothing is made for an album whose song disappeared or is not sound.
Result<std::vector<int>> songFrameCounts(const ProjectModel& model);

// A copy of `model` whose songs carry `frames` as their frameCount, for the
// overlays that count song frames too; nothing when every stored count
// already agrees.
std::optional<ProjectModel> withSongFrames(const ProjectModel& model,
                                           const std::vector<int>& frames);

}  // namespace orvane
