#pragma once
// How long an album lasts, which songs its sound track plays, and what the
// pictures do once every template instance has played. Pure logic.
//
// Photo length ("sui_zhaopian_tongbu", and every album without songs): the
// album lasts the instances' frame counts + 100 frames (the closing
// template); the songs play once in order, the sound is cut at the end of
// the picture and is silent after the last song. With "以音乐循环播放补充帧频"
// the songs repeat in order until the picture ends.
//
// Music length ("sui_yinyue_tongbu" with songs): the album lasts the songs'
// frame counts. The instances play in order; with "以画面循环播放补充帧频"
// they start again from the first while time remains, otherwise the closing
// template follows and holds its last frame. Pictures longer than the music
// are cut: the album ends with the music.

#include <vector>

#include "base/album_settings.h"

namespace orvane {

inline constexpr int kClosingTemplateFrames = 100;

enum class AfterLastInstance {
    ClosingTemplate,  // the closing movie plays (and holds its last frame)
    LoopInstances,    // the play list starts again from its first row
};

struct AlbumTimeline {
    int totalFrames = 0;
    bool photoLength = true;
    // Songs of the sound track in the order heard: 0-based MusicTable rows.
    std::vector<int> songOrder;
    bool truncateAudioToVideo = true;
    AfterLastInstance afterLastInstance = AfterLastInstance::ClosingTemplate;
};

// `templateFrames`: templateFrameCount of every play-list row; `songFrames`:
// frameCount of every song in MusicTable order.
AlbumTimeline planAlbumTimeline(const std::vector<int>& templateFrames,
                                const std::vector<int>& songFrames, const AlbumSettings& settings);

}  // namespace orvane
