#pragma once
// Key-frame motion of template layers: eased interpolation of position,
// scale, rotation and opacity, and the 2-D affine transforms they make.

#include <optional>
#include <string>
#include <vector>

#include "swf_writer.h"

namespace orvane::tc {

// x' = a·x + c·y + tx, y' = b·x + d·y + ty (pixels).
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    Affine operator*(const Affine& o) const;  // this after o
    static Affine translate(double x, double y);
    static Affine scale(double sx, double sy);
    static Affine rotate(double degrees);
    static Affine skew(double xDegrees, double yDegrees);  // x += tan(kx)·y, y += tan(ky)·x
    swfwrite::Matrix toSwf() const;                        // translation to twips
};

enum class Ease { Linear, In, Out, InOut, OutBack, Sine };
Ease easeFromName(const std::string& name);  // throws on an unknown name
double applyEase(Ease ease, double t);

// One key: the properties it sets (others continue from earlier keys).
struct Key {
    int frame = 0;
    Ease ease = Ease::InOut;  // easing of the segment that ends here
    std::optional<double> x, y, scale, sx, sy, rot, alpha, kx, ky;
};

struct Pose {
    double x = 960, y = 540, scale = 1, sx = 1, sy = 1, rot = 0, alpha = 1, kx = 0, ky = 0;
    // T(x, y) · R(rot) · K(kx, ky) · S(scale·sx, scale·sy); the skew K fakes
    // page turns and card flips.
    Affine affine() const;
};

// Keys sorted by frame; `base` gives the values before any key sets them.
Pose poseAt(const std::vector<Key>& keys, int frame, const Pose& base = {});

}  // namespace orvane::tc
