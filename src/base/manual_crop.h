#pragma once
// A photo placed by hand in its template slot: what the crop window hands
// over (the slot size, the crop frame, and the photo under it, its top-left
// corner relative to the frame's). The photo keeps it, so that staging the
// photo again (a reopened project) gives the same slot picture.

namespace orvane {

struct ManualCropInput {
    int slotWidth = 0;
    int slotHeight = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int photoX = 0;
    int photoY = 0;
    int photoWidth = 0;
    int photoHeight = 0;

    bool operator==(const ManualCropInput&) const = default;
};

}  // namespace orvane
