#include "movie_builder.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <numbers>
#include <optional>
#include <stdexcept>

#include "motion.h"
#include "raster.h"
#include "shape_builder.h"

namespace orvane::tc {
namespace {

using nlohmann::json;
using swfwrite::Bytes;

struct State {
    Affine affine;
    double alpha = 1;
};

// One instance on the root timeline, at its own depth.
struct DisplayObject {
    int characterId = 0;
    std::string name;  // clips only
    bool clip = false;
    bool mask = false;
    int clipDepth = -1;
    int from = 0, to = 0;
    std::function<State(int)> state;
};

swfwrite::Rgba parseColor(const json& value) {
    const std::string text = value.get<std::string>();
    const QColor c(QString::fromStdString(text.size() == 9 ? text.substr(0, 7) : text));
    if (!c.isValid()) throw std::runtime_error("bad colour \"" + text + "\"");
    swfwrite::Rgba out{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                       static_cast<std::uint8_t>(c.blue()), 255};
    if (text.size() == 9)
        out.a = static_cast<std::uint8_t>(std::stoi(text.substr(7, 2), nullptr, 16));
    return out;
}

QColor toQColor(swfwrite::Rgba c) { return QColor(c.r, c.g, c.b, c.a); }

std::vector<Key> parseKeys(const json& layer) {
    std::vector<Key> keys;
    if (!layer.contains("keys")) return keys;
    for (const json& k : layer["keys"]) {
        Key key;
        key.frame = k.at("f").get<int>();
        if (k.contains("ease")) key.ease = easeFromName(k["ease"].get<std::string>());
        auto opt = [&](const char* name, std::optional<double>& out) {
            if (k.contains(name)) out = k[name].get<double>();
        };
        opt("x", key.x);
        opt("y", key.y);
        opt("scale", key.scale);
        opt("sx", key.sx);
        opt("sy", key.sy);
        opt("rot", key.rot);
        opt("alpha", key.alpha);
        opt("kx", key.kx);
        opt("ky", key.ky);
        keys.push_back(key);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const Key& a, const Key& b) { return a.frame < b.frame; });
    return keys;
}

// A simple deterministic generator, the same on every platform.
class Random {
   public:
    explicit Random(std::uint32_t seed) : m_state(seed * 2654435761u + 12345u) {}
    double next() {  // [0, 1)
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return (m_state & 0xFFFFFF) / 16777216.0;
    }
    double between(double a, double b) { return a + (b - a) * next(); }

   private:
    std::uint32_t m_state;
};

class MovieBuilder {
   public:
    explicit MovieBuilder(const TemplateDescription& d) : m_d(d) {}

    Bytes build() {
        Bytes tags;
        append(tags, swfwrite::makeTag(swfwrite::kFileAttributes, {0, 0, 0, 0}));
        const swfwrite::Rgba bg = parseColor(m_d.background);
        append(tags, swfwrite::makeTag(swfwrite::kSetBackgroundColor, {bg.r, bg.g, bg.b}));
        for (const json& layer : m_d.layers) compileLayer(layer);
        append(tags, m_definitions);
        append(tags, timeline());
        append(tags, swfwrite::makeTag(swfwrite::kEnd, {}));
        return swfwrite::makeFile(m_d.stageWidth, m_d.stageHeight, m_d.frameRate, m_d.frames, tags);
    }

   private:
    static void append(Bytes& out, const Bytes& more) {
        out.insert(out.end(), more.begin(), more.end());
    }

    int defineShape(const swfwrite::ShapeDef& shape) {
        const int id = m_nextId++;
        append(m_definitions, swfwrite::defineShape3(static_cast<std::uint16_t>(id), shape));
        return id;
    }

    int defineBitmap(const QImage& source) {
        const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        std::vector<std::uint32_t> pixels;
        pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            pixels.insert(pixels.end(), line, line + image.width());
        }
        const int id = m_nextId++;
        append(m_definitions, swfwrite::defineBitsLossless2(static_cast<std::uint16_t>(id),
                                                            image.width(), image.height(), pixels));
        return id;
    }

    int defineEmptyClip() {
        const int id = m_nextId++;
        Bytes body;
        swfwrite::putU16(body, static_cast<std::uint16_t>(id));
        swfwrite::putU16(body, 1);
        append(body, swfwrite::makeTag(swfwrite::kShowFrame, {}));
        append(body, swfwrite::makeTag(swfwrite::kEnd, {}));
        append(m_definitions, swfwrite::makeTag(swfwrite::kDefineSprite, body));
        return id;
    }

    // A shape whose bitmap shows `image` 1:1, centred on (0, 0).
    int defineImageShape(const QImage& image) {
        const int bitmap = defineBitmap(image);
        const double w = image.width(), h = image.height();
        swfwrite::ShapeDef shape;
        shape.fills.push_back(swfwrite::FillStyle::bitmap(bitmap, -w / 2, -h / 2, 1.0, false));
        shape.parts.push_back({swfwrite::rectOutline(-w / 2, -h / 2, w, h), 1, false});
        return defineShape(shape);
    }

    swfwrite::FillStyle parseFill(const json& fill, double x, double y, double w, double h) {
        if (fill.is_string()) return swfwrite::FillStyle::solid(parseColor(fill));
        auto stops = [&](const json& list) {
            std::vector<swfwrite::GradientStop> out;
            for (const json& s : list)
                out.push_back({static_cast<int>(std::lround(s.at(0).get<double>() * 255)),
                               parseColor(s.at(1))});
            return out;
        };
        if (fill.contains("linear")) {
            const double angle = fill.value("angle", 90.0) * std::numbers::pi / 180;
            const double cs = std::cos(angle), sn = std::sin(angle);
            const double half = (std::abs(w * cs) + std::abs(h * sn)) / 2;
            const double cx = x + w / 2, cy = y + h / 2;
            return swfwrite::FillStyle::linear(cx - cs * half, cy - sn * half, cx + cs * half,
                                               cy + sn * half, stops(fill["linear"]));
        }
        if (fill.contains("radial"))
            return swfwrite::FillStyle::radial(x + w / 2, y + h / 2, w / 2, h / 2,
                                               stops(fill["radial"]));
        if (fill.contains("pattern")) {
            const auto colors = fill.at("colors");
            const QImage tile = rasterPattern(
                QString::fromStdString(fill["pattern"].get<std::string>()), fill.value("tile", 48),
                toQColor(parseColor(colors.at(0))), toQColor(parseColor(colors.at(1))));
            return swfwrite::FillStyle::bitmap(defineBitmap(tile), x, y, 1.0, true);
        }
        throw std::runtime_error("unknown fill");
    }

    // Outline of a geometric shape centred on (0, 0).
    static swfwrite::Outline outlineFor(const json& s, double& w, double& h) {
        const std::string shape = s.at("shape").get<std::string>();
        w = s.value("w", 100.0);
        h = s.value("h", w);
        if (shape == "rect") return swfwrite::rectOutline(-w / 2, -h / 2, w, h);
        if (shape == "roundrect")
            return swfwrite::roundRectOutline(-w / 2, -h / 2, w, h, s.value("r", 20.0));
        if (shape == "ellipse") return swfwrite::ellipseOutline(0, 0, w / 2, h / 2);
        if (shape == "heart") return swfwrite::heartOutline(0, 0, w, h);
        if (shape == "star") {
            h = w;
            return swfwrite::starOutline(0, 0, w / 2, w / 2 * s.value("inner", 0.45),
                                         s.value("points", 5));
        }
        if (shape == "ring" || shape == "frame") {
            const double t = s.value("thickness", 10.0);
            swfwrite::Outline o = shape == "ring" ? swfwrite::ellipseOutline(0, 0, w / 2, h / 2)
                                                  : swfwrite::rectOutline(-w / 2, -h / 2, w, h);
            swfwrite::Outline inner =
                shape == "ring"
                    ? swfwrite::ellipseOutline(0, 0, w / 2 - t, h / 2 - t)
                    : swfwrite::rectOutline(-w / 2 + t, -h / 2 + t, w - 2 * t, h - 2 * t);
            o.addHoles(inner);
            return o;
        }
        throw std::runtime_error("unknown shape \"" + shape + "\"");
    }

    int defineGeometricShape(const json& s) {
        double w = 0, h = 0;
        swfwrite::ShapeDef shape;
        swfwrite::ShapePart part{outlineFor(s, w, h), 0, false};
        if (s.contains("fill")) {
            shape.fills.push_back(parseFill(s["fill"], -w / 2, -h / 2, w, h));
            part.fill = 1;
        }
        if (s.contains("stroke")) {
            shape.line.widthPx = s["stroke"].value("width", 2.0);
            shape.line.color = parseColor(s["stroke"].at("color"));
            part.stroke = true;
        }
        shape.parts.push_back(std::move(part));
        return defineShape(shape);
    }

    // Range of frames in which the layer is shown.
    void layerRange(const json& layer, int& from, int& to) const {
        from = std::clamp(layer.value("from", 0), 0, m_d.frames - 1);
        to = std::clamp(layer.value("to", m_d.frames - 1), from, m_d.frames - 1);
    }

    Pose basePose() const {
        Pose p;
        p.x = m_d.stageWidth / 2.0;
        p.y = m_d.stageHeight / 2.0;
        return p;
    }

    // Objects of one layer: `local` is placed before the layer's pose.
    void addKeyed(const json& layer, int characterId, const Affine& local, bool clip,
                  const std::string& name) {
        DisplayObject o;
        o.characterId = characterId;
        o.clip = clip;
        o.name = name;
        layerRange(layer, o.from, o.to);
        const std::vector<Key> keys = parseKeys(layer);
        const Pose base = basePose();
        o.state = [keys, base, local](int f) {
            const Pose p = poseAt(keys, f, base);
            return State{p.affine() * local, p.alpha};
        };
        m_objects.push_back(std::move(o));
    }

    // A frame and a soft shadow under a photo of w × h shown centred on (0, 0).
    void addPhotoDecor(const json& layer, double w, double h) {
        const double border = layer.value("border", 0.0);
        const double shadow = layer.value("shadow", 0.0);
        if (shadow > 0) {
            swfwrite::ShapeDef s;
            // Three widening, faint layers: soft enough, and cheap to draw.
            const int steps = 3;
            for (int i = 0; i < steps; ++i) {
                const double grow = border + shadow * (i + 1) / steps;
                s.fills.push_back(swfwrite::FillStyle::solid({0, 0, 0, 48}));
                s.parts.push_back({swfwrite::roundRectOutline(-w / 2 - grow + shadow * 0.4,
                                                              -h / 2 - grow + shadow * 0.6,
                                                              w + 2 * grow, h + 2 * grow, grow),
                                   i + 1, false});
            }
            addKeyed(layer, defineShape(s), {}, false, {});
        }
        if (border > 0) {
            swfwrite::ShapeDef s;
            s.fills.push_back(swfwrite::FillStyle::solid(
                parseColor(layer.value("borderColor", std::string("#ffffff")))));
            swfwrite::Outline ring = swfwrite::rectOutline(-w / 2 - border, -h / 2 - border,
                                                           w + 2 * border, h + 2 * border);
            ring.moveToHole(-w / 2, -h / 2)
                .lineTo(w / 2, -h / 2)
                .lineTo(w / 2, h / 2)
                .lineTo(-w / 2, h / 2)
                .close();
            s.parts.push_back({ring, 1, false});
            addKeyed(layer, defineShape(s), {}, false, {});
        }
    }

    void compileLayer(const json& layer) {
        const std::string kind = layer.at("kind").get<std::string>();
        const std::size_t first = m_objects.size();
        if (layer.contains("mask")) {
            const json& m = layer["mask"];
            DisplayObject o;
            o.characterId = defineGeometricShape(m.contains("fill") ? m : [&] {
                json copy = m;
                copy["fill"] = "#ffffff";
                return copy;
            }());
            o.mask = true;
            layerRange(layer, o.from, o.to);
            const std::vector<Key> keys = parseKeys(m);
            const Pose base = basePose();
            o.state = [keys, base](int f) { return State{poseAt(keys, f, base).affine(), 1}; };
            m_objects.push_back(std::move(o));
        }
        if (kind == "transition") {
            const double w = m_d.stageWidth, h = m_d.stageHeight;
            addKeyed(layer, defineEmptyClip(), Affine::translate(-w / 2, -h / 2), true,
                     "picture_0");
        } else if (kind == "photo") {
            const Slot& slot = m_d.slots.at(layer.at("slot").get<int>() - 1);
            // A full-screen slot's picture is at most the stage; the layer may
            // say which size to expect (a portrait one is about square).
            double nw = slot.width, nh = slot.height;
            if (nw == 0) {
                const json nominal =
                    layer.value("nominal", json::array({m_d.stageWidth, m_d.stageHeight}));
                nw = nominal.at(0).get<double>();
                nh = nominal.at(1).get<double>();
            }
            const double shownW = layer.value("width", nw);
            const double scale = shownW / nw;
            addPhotoDecor(layer, shownW, nh * scale);
            addKeyed(layer, defineEmptyClip(),
                     Affine::scale(scale, scale) * Affine::translate(-nw / 2, -nh / 2), true,
                     slot.name);
        } else if (kind == "shape") {
            addKeyed(layer, defineGeometricShape(layer), {}, false, {});
        } else if (kind == "text") {
            TextStyle style;
            style.text = QString::fromStdString(layer.at("text").get<std::string>());
            style.font =
                QString::fromStdString(layer.value("font", std::string("Noto Serif CJK SC")));
            style.size = layer.value("size", 72.0);
            style.bold = layer.value("bold", false);
            style.italic = layer.value("italic", false);
            style.spacing = layer.value("spacing", 0.0);
            style.color = toQColor(parseColor(layer.value("color", json("#ffffff"))));
            style.shadow = layer.value("shadow", 0.0);
            style.outline = layer.value("outline", 0.0);
            if (layer.contains("outlineColor"))
                style.outlineColor = toQColor(parseColor(layer["outlineColor"]));
            addKeyed(layer, defineImageShape(rasterText(style)), {}, false, {});
        } else if (kind == "ornament") {
            const QImage image =
                rasterOrnament(QString::fromStdString(layer.at("ornament").get<std::string>()),
                               layer.value("w", 400), layer.value("h", 60),
                               toQColor(parseColor(layer.value("color", json("#ffffff")))));
            addKeyed(layer, defineImageShape(image), {}, false, {});
        } else if (kind == "particles") {
            addParticles(layer);
        } else {
            throw std::runtime_error("unknown layer kind \"" + kind + "\"");
        }
        if (layer.contains("mask") && layer["mask"].value("feather", 0.0) > 0) addFeather(layer);
        if (layer.contains("mask")) m_objects[first].clipDepth = static_cast<int>(m_objects.size());
    }

    // A soft edge for a mask: a band just inside the mask's outline, drawn over
    // the masked layer in the feather colour (the background by default) and
    // fading from transparent inside to opaque at the outline. Clip masks
    // are hard-edged in the format, so the softness is painted on top.
    void addFeather(const json& layer) {
        const json& m = layer["mask"];
        const double feather = m["feather"].get<double>();
        swfwrite::Rgba color = parseColor(m.value("featherColor", json(m_d.background)));
        swfwrite::Rgba clear = color;
        clear.a = 0;
        const std::string shapeName = m.at("shape").get<std::string>();
        double w = m.value("w", 100.0), h = m.value("h", w);
        if (shapeName == "star") h = w;
        swfwrite::ShapeDef shape;
        if (shapeName == "ellipse") {
            // One smooth radial ramp over the ellipse.
            const double inner = std::clamp(1 - 2 * feather / std::min(w, h), 0.0, 1.0);
            shape.fills.push_back(swfwrite::FillStyle::radial(
                0, 0, w / 2, h / 2,
                {{static_cast<int>(std::lround(inner * 255)), clear}, {255, color}}));
            shape.parts.push_back({swfwrite::ellipseOutline(0, 0, w / 2, h / 2), 1, false});
        } else {
            // Other outlines: nested bands, each a little more opaque.
            const int bands = 10;
            auto outlineAt = [&](double inset) {
                json copy = m;
                copy["w"] = std::max(1.0, w - 2 * inset);
                copy["h"] = std::max(1.0, h - 2 * inset);
                if (copy.contains("r")) copy["r"] = std::max(0.0, copy["r"].get<double>() - inset);
                double ow = 0, oh = 0;
                return outlineFor(copy, ow, oh);
            };
            for (int i = 0; i < bands; ++i) {
                const double outer = feather * i / bands, inner = feather * (i + 1) / bands;
                swfwrite::Rgba c = color;
                c.a = static_cast<std::uint8_t>(std::lround(color.a * (1.0 - (i + 0.5) / bands)));
                swfwrite::Outline band = outlineAt(outer);
                band.addHoles(outlineAt(inner));
                shape.fills.push_back(swfwrite::FillStyle::solid(c));
                shape.parts.push_back({band, i + 1, false});
            }
        }
        DisplayObject o;
        o.characterId = defineShape(shape);
        layerRange(layer, o.from, o.to);
        const std::vector<Key> keys = parseKeys(m);
        const Pose base = basePose();
        o.state = [keys, base](int f) { return State{poseAt(keys, f, base).affine(), 1}; };
        m_objects.push_back(std::move(o));
    }

    // Many small shapes moving on their own: rising bubbles and bokeh,
    // falling petals and snow, drifting or twinkling stars.
    void addParticles(const json& layer) {
        const std::string shapeName = layer.value("shape", std::string("circle"));
        const std::string motion = layer.value("motion", std::string("rise"));
        const int count = std::clamp(layer.value("count", 20), 1, 200);
        const json colors = layer.value("colors", json::array({"#ffffff"}));
        const auto size = layer.value("size", std::vector<double>{8, 24});
        const auto speed = layer.value("speed", std::vector<double>{1, 3});
        const auto alpha = layer.value("alpha", std::vector<double>{0.4, 0.9});
        const auto area = layer.value(
            "area", std::vector<double>{0, 0, double(m_d.stageWidth), double(m_d.stageHeight)});
        const int fade = layer.value("fade", 20);
        int from = 0, to = 0;
        layerRange(layer, from, to);

        // One definition per colour, drawn 100 px wide.
        std::vector<int> ids;
        for (const json& c : colors) {
            const swfwrite::Rgba color = parseColor(c);
            if (shapeName == "bokeh") {
                swfwrite::Rgba clear = color;
                clear.a = 0;
                swfwrite::Rgba soft = color;
                soft.a = static_cast<std::uint8_t>(color.a * 0.55);
                swfwrite::ShapeDef s;
                s.fills.push_back(swfwrite::FillStyle::radial(
                    0, 0, 50, 50, {{0, color}, {150, soft}, {255, clear}}));
                s.parts.push_back({swfwrite::ellipseOutline(0, 0, 50, 50), 1, false});
                ids.push_back(defineShape(s));
            } else if (shapeName == "sparkle") {
                ids.push_back(defineImageShape(
                    rasterOrnament(QStringLiteral("sparkle"), 100, 100, toQColor(color))));
            } else {
                json s = {{"shape", shapeName == "circle" ? "ellipse" : shapeName},
                          {"w", 100},
                          {"h", shapeName == "petal"  ? 60
                                : shapeName == "rect" ? 50
                                                      : 100},
                          {"fill", c}};
                if (shapeName == "petal") s["shape"] = "ellipse";
                ids.push_back(defineGeometricShape(s));
            }
        }

        Random rng(static_cast<std::uint32_t>(layer.value("seed", 1)));
        for (int i = 0; i < count; ++i) {
            DisplayObject o;
            o.characterId = ids[static_cast<std::size_t>(i) % ids.size()];
            o.from = from;
            o.to = to;
            const double x0 = rng.between(area[0], area[0] + area[2]);
            const double y0 = rng.between(area[1], area[1] + area[3]);
            const double s = rng.between(size[0], size[1]) / 100.0;
            const double v = rng.between(speed[0], speed[1]);
            const double a = rng.between(alpha[0], alpha[1]);
            const double phase = rng.between(0, 2 * std::numbers::pi);
            const double sway = rng.between(10, 40);
            const double spin = rng.between(-2, 2);
            const double dir = rng.between(0, 2 * std::numbers::pi);
            const double ax = area[0], ay = area[1], aw = area[2], ah = area[3];
            const double margin = size[1];
            const int total = to - from;
            o.state = [=](int f) {
                const double t = f - from;
                double x = x0, y = y0, rot = 0, alphaNow = a;
                auto wrap = [](double value, double start, double length) {
                    return start + std::fmod(std::fmod(value - start, length) + length, length);
                };
                if (motion == "rise") {
                    y = wrap(y0 - v * t, ay - margin, ah + 2 * margin);
                    x = x0 + sway * std::sin(phase + t * 0.03);
                } else if (motion == "fall") {
                    y = wrap(y0 + v * t, ay - margin, ah + 2 * margin);
                    x = x0 + sway * std::sin(phase + t * 0.04);
                    rot = spin * t * 3;
                } else if (motion == "drift") {
                    x = wrap(x0 + v * std::cos(dir) * t, ax - margin, aw + 2 * margin);
                    y = wrap(y0 + v * std::sin(dir) * t, ay - margin, ah + 2 * margin);
                    rot = spin * t;
                } else {  // twinkle
                    alphaNow = a * (0.55 + 0.45 * std::sin(phase + t * 0.15));
                }
                const double envelope = std::clamp(
                    std::min(t + 1, static_cast<double>(total - t + 1)) / std::max(fade, 1), 0.0,
                    1.0);
                return State{Pose{x, y, s, 1, 1, rot, 1, 0, 0}.affine(), alphaNow * envelope};
            };
            m_objects.push_back(std::move(o));
        }
    }

    Bytes firstFrameActions() const {
        using namespace swfwrite::action;
        Bytes a;
        append(a, push({kMarkerVariable, kMarkerValue}));
        append(a, setVariable());
        append(a, push({std::string(kTransitionPicture) + kStagedPictureExtension, "picture_0"}));
        append(a, loadMovie());
        for (const Slot& s : m_d.slots) {
            append(a, push({s.name + kStagedPictureExtension, s.name}));
            append(a, loadMovie());
        }
        append(a, getUrl("FSCommand:picture_0", ""));
        append(a, end());
        return swfwrite::makeTag(swfwrite::kDoAction, a);
    }

    Bytes timeline() {
        struct Shown {
            bool placed = false;
            swfwrite::Matrix matrix;
            swfwrite::ColorTransform cx;
        };
        std::vector<Shown> shown(m_objects.size());
        // A clip that is out of its range waits, tiny and transparent, off the stage.
        const swfwrite::Matrix parked =
            (Affine::translate(-400, -400) * Affine::scale(0.01, 0.01)).toSwf();
        swfwrite::ColorTransform invisible;
        invisible.aMul = 0;

        Bytes out;
        for (int f = 0; f < m_d.frames; ++f) {
            for (std::size_t i = 0; i < m_objects.size(); ++i) {
                const DisplayObject& o = m_objects[i];
                const auto depth = static_cast<std::uint16_t>(i + 1);
                bool visible = f >= o.from && f <= o.to;
                swfwrite::Matrix matrix = parked;
                swfwrite::ColorTransform cx = invisible;
                if (visible) {
                    const State s = o.state(f);
                    matrix = s.affine.toSwf();
                    cx = {};
                    if (!o.mask)
                        cx.aMul = static_cast<std::int32_t>(
                            std::lround(std::clamp(s.alpha, 0.0, 1.0) * 256));
                    if (cx.aMul == 0) visible = false;
                }
                if (!visible && o.clip) {
                    matrix = parked;
                    cx = invisible;
                    visible = true;
                }
                Shown& was = shown[i];
                if (!visible) {
                    if (was.placed) append(out, swfwrite::removeObject2(depth));
                    was.placed = false;
                    continue;
                }
                swfwrite::PlaceObject p;
                p.depth = depth;
                if (!was.placed) {
                    p.characterId = o.characterId;
                    p.matrix = &matrix;
                    if (!cx.isIdentity()) p.colorTransform = &cx;
                    p.name = o.name;
                    if (o.mask) p.clipDepth = o.clipDepth;
                } else {
                    if (matrix == was.matrix && cx == was.cx) continue;
                    p.move = true;
                    if (!(matrix == was.matrix)) p.matrix = &matrix;
                    if (!(cx == was.cx)) p.colorTransform = &cx;
                }
                append(out, swfwrite::placeObject2(p));
                was = {true, matrix, cx};
            }
            if (f == 0) append(out, firstFrameActions());
            append(out, swfwrite::makeTag(swfwrite::kShowFrame, {}));
        }
        return out;
    }

    const TemplateDescription& m_d;
    Bytes m_definitions;
    std::vector<DisplayObject> m_objects;
    int m_nextId = 1;
};

}  // namespace

swfwrite::Bytes buildMovie(const TemplateDescription& d) { return MovieBuilder(d).build(); }

}  // namespace orvane::tc
