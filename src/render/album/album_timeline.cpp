#include "render/album/album_timeline.h"

#include <numeric>

namespace orvane {

AlbumTimeline planAlbumTimeline(const std::vector<int>& templateFrames,
                                const std::vector<int>& songFrames, const AlbumSettings& settings) {
    AlbumTimeline timeline;
    const int pictureFrames =
        std::accumulate(templateFrames.begin(), templateFrames.end(), 0) + kClosingTemplateFrames;
    const int songCount = static_cast<int>(songFrames.size());
    const int musicFrames = std::accumulate(songFrames.begin(), songFrames.end(), 0);
    timeline.photoLength =
        songCount == 0 || settings.syncMode != SyncMode::Music || musicFrames <= 0;

    if (timeline.photoLength) {
        timeline.totalFrames = pictureFrames;
        timeline.truncateAudioToVideo = true;
        timeline.afterLastInstance = AfterLastInstance::ClosingTemplate;
        for (int i = 0; i < songCount; ++i) timeline.songOrder.push_back(i);
        if (settings.loopMusicToFill && musicFrames > 0) {
            // Whole rounds of the songs until they cover the picture; the
            // encoder cuts the last one at the end of the video.
            int covered = musicFrames;
            while (covered < pictureFrames) {
                for (int i = 0; i < songCount && covered < pictureFrames; ++i) {
                    timeline.songOrder.push_back(i);
                    covered += songFrames[static_cast<std::size_t>(i)];
                }
            }
        }
        return timeline;
    }

    timeline.totalFrames = musicFrames;
    timeline.truncateAudioToVideo = false;
    for (int i = 0; i < songCount; ++i) timeline.songOrder.push_back(i);
    timeline.afterLastInstance = settings.loopPicturesToFill ? AfterLastInstance::LoopInstances
                                                             : AfterLastInstance::ClosingTemplate;
    return timeline;
}

}  // namespace orvane
