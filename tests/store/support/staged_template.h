#pragma once
// Stages a shipped template the way the album build does: the movie as
// tp_wjj/tp_wjj/tp_wjj_1/w_j_1.rar, each slot's picture beside it as
// picture_<k>.rar (a JPEG of the slot's size), and the transition picture
// as tp_wjj/pic/picture_0.rar (a 1920 × 1080 JPEG). Pictures are single
// colours, so a test can see where each one shows in a frame.

#include <QColor>
#include <QImage>
#include <QStringList>
#include <filesystem>
#include <vector>

#include "store_support.h"

namespace orvane::testing {

struct TemplateParameters {
    int frames = 0;
    QStringList widths, heights, orientations;
    int slotCount() const { return static_cast<int>(widths.size()); }
};

// Reads the template's INI (unpacked through `scratch`); nothing for a
// template without one (the ending movie).
TemplateParameters readParameters(const ShippedTemplate& t, const fs::path& scratch);

// Writes the staged folder under `root`; returns the movie's path.
// `slotColours` has one colour per slot.
fs::path stageTemplate(const ShippedTemplate& t, const TemplateParameters& p, const fs::path& root,
                       const QColor& transitionColour, const std::vector<QColor>& slotColours);

// Share of pixels (0..1) whose colour differs by more than `tolerance` in
// some channel between two images of the same size.
double differingShare(const QImage& a, const QImage& b, int tolerance = 40);

}  // namespace orvane::testing
