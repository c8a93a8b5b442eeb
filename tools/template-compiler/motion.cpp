#include "motion.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace orvane::tc {

Affine Affine::operator*(const Affine& o) const {
    return {a * o.a + c * o.b, b * o.a + d * o.b,        a * o.c + c * o.d,
            b * o.c + d * o.d, a * o.tx + c * o.ty + tx, b * o.tx + d * o.ty + ty};
}

Affine Affine::translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
Affine Affine::scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }

Affine Affine::rotate(double degrees) {
    const double r = degrees * std::numbers::pi / 180;
    const double cs = std::cos(r), sn = std::sin(r);
    return {cs, sn, -sn, cs, 0, 0};
}

Affine Affine::skew(double xDegrees, double yDegrees) {
    return {1,
            std::tan(yDegrees * std::numbers::pi / 180),
            std::tan(xDegrees * std::numbers::pi / 180),
            1,
            0,
            0};
}

swfwrite::Matrix Affine::toSwf() const {
    swfwrite::Matrix m;
    // Rounded to the 16.16 values the file holds, so equal poses compare equal.
    m.a = swfwrite::toFixed16(a) / 65536.0;
    m.b = swfwrite::toFixed16(b) / 65536.0;
    m.c = swfwrite::toFixed16(c) / 65536.0;
    m.d = swfwrite::toFixed16(d) / 65536.0;
    m.tx = static_cast<std::int32_t>(std::lround(tx * 20));
    m.ty = static_cast<std::int32_t>(std::lround(ty * 20));
    return m;
}

Ease easeFromName(const std::string& name) {
    if (name == "linear") return Ease::Linear;
    if (name == "in") return Ease::In;
    if (name == "out") return Ease::Out;
    if (name == "inout") return Ease::InOut;
    if (name == "outback") return Ease::OutBack;
    if (name == "sine") return Ease::Sine;
    throw std::invalid_argument("unknown ease \"" + name + "\"");
}

double applyEase(Ease ease, double t) {
    switch (ease) {
        case Ease::Linear:
            return t;
        case Ease::In:
            return t * t * t;
        case Ease::Out:
            return 1 - std::pow(1 - t, 3);
        case Ease::InOut:
            return t < 0.5 ? 4 * t * t * t : 1 - std::pow(-2 * t + 2, 3) / 2;
        case Ease::OutBack: {
            const double c1 = 1.70158, c3 = c1 + 1;
            return 1 + c3 * std::pow(t - 1, 3) + c1 * std::pow(t - 1, 2);
        }
        case Ease::Sine:
            return -(std::cos(std::numbers::pi * t) - 1) / 2;
    }
    return t;
}

Affine Pose::affine() const {
    return Affine::translate(x, y) * Affine::rotate(rot) * Affine::skew(kx, ky) *
           Affine::scale(scale * sx, scale * sy);
}

namespace {

double propertyAt(const std::vector<Key>& keys, std::optional<double> Key::*member, int frame,
                  double fallback) {
    const Key* before = nullptr;
    const Key* after = nullptr;
    for (const Key& k : keys) {
        if (!(k.*member)) continue;
        if (k.frame <= frame) {
            before = &k;
        } else {
            after = &k;
            break;
        }
    }
    if (!before && !after) return fallback;
    if (!before) return *(after->*member);
    if (!after) return *(before->*member);
    const double t = static_cast<double>(frame - before->frame) / (after->frame - before->frame);
    const double v0 = *(before->*member), v1 = *(after->*member);
    return v0 + (v1 - v0) * applyEase(after->ease, t);
}

}  // namespace

Pose poseAt(const std::vector<Key>& keys, int frame, const Pose& base) {
    Pose p;
    p.x = propertyAt(keys, &Key::x, frame, base.x);
    p.y = propertyAt(keys, &Key::y, frame, base.y);
    p.scale = propertyAt(keys, &Key::scale, frame, base.scale);
    p.sx = propertyAt(keys, &Key::sx, frame, base.sx);
    p.sy = propertyAt(keys, &Key::sy, frame, base.sy);
    p.rot = propertyAt(keys, &Key::rot, frame, base.rot);
    p.alpha = propertyAt(keys, &Key::alpha, frame, base.alpha);
    p.kx = propertyAt(keys, &Key::kx, frame, base.kx);
    p.ky = propertyAt(keys, &Key::ky, frame, base.ky);
    return p;
}

}  // namespace orvane::tc
