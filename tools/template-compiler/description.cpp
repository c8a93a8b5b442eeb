#include "description.h"

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace orvane::tc {
namespace {

std::string barList(const std::vector<Slot>& slots, auto field) {
    std::string out = "|";
    for (const Slot& s : slots) out += field(s) + "|";
    return out;
}

}  // namespace

TemplateDescription parseDescription(const nlohmann::json& j) {
    if (!j.is_object()) throw std::runtime_error("the description is not a JSON object");
    TemplateDescription d;
    d.title = j.value("title", "");
    d.type = j.value("type", "");
    d.category = j.value("category", "");
    d.frames = j.at("frames").get<int>();
    d.background = j.value("background", "#000000");
    if (j.contains("stage")) {
        d.stageWidth = j["stage"].at(0).get<int>();
        d.stageHeight = j["stage"].at(1).get<int>();
    }
    d.frameRate = j.value("fps", 25);
    if (d.frames < 1 || d.frames > 100000) throw std::runtime_error("frames must be 1..100000");
    if (d.stageWidth < 16 || d.stageHeight < 16 || d.stageWidth > 8192 || d.stageHeight > 8192)
        throw std::runtime_error("stage size out of range");
    if (d.frameRate < 1 || d.frameRate > 120) throw std::runtime_error("fps out of range");
    if (j.contains("slots")) {
        int k = 0;
        for (const auto& s : j["slots"]) {
            Slot slot;
            slot.orientation = s.at("orientation").get<std::string>();
            slot.width = s.value("width", 0);
            slot.height = s.value("height", 0);
            slot.name = "picture_" + std::to_string(++k);
            if (slot.orientation != "heng" && slot.orientation != "shu" &&
                slot.orientation != "shuheng")
                throw std::runtime_error("slot " + std::to_string(k) +
                                         ": orientation must be heng, shu or shuheng");
            if ((slot.width == 0) != (slot.height == 0) || slot.width < 0 || slot.height < 0 ||
                slot.width > 4096 || slot.height > 4096)
                throw std::runtime_error("slot " + std::to_string(k) +
                                         ": size must be 0 × 0 or positive up to 4096");
            d.slots.push_back(slot);
        }
    }
    d.layers = j.at("layers");
    if (!d.layers.is_array()) throw std::runtime_error("layers must be an array");

    // Exactly one transition clip; every slot shown by exactly one photo layer.
    int transitions = 0;
    std::vector<int> uses(d.slots.size(), 0);
    for (const auto& layer : d.layers) {
        const std::string kind = layer.at("kind").get<std::string>();
        if (kind == "transition") ++transitions;
        if (kind == "photo") {
            const int slot = layer.at("slot").get<int>();
            if (slot < 1 || slot > static_cast<int>(d.slots.size()))
                throw std::runtime_error("photo layer names slot " + std::to_string(slot) +
                                         ", which does not exist");
            ++uses[slot - 1];
        }
    }
    if (transitions != 1) throw std::runtime_error("a template needs exactly one transition layer");
    for (std::size_t i = 0; i < uses.size(); ++i)
        if (uses[i] != 1)
            throw std::runtime_error("slot " + std::to_string(i + 1) +
                                     " must be shown by exactly one photo layer");
    return d;
}

TemplateDescription readDescription(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    try {
        return parseDescription(nlohmann::json::parse(in, nullptr, true, true));
    } catch (const std::exception& e) {
        throw std::runtime_error(file.string() + ": " + e.what());
    }
}

std::string templateIni(const TemplateDescription& d) {
    std::ostringstream o;
    o << "[l_x_w_j_s_y]\r\nl_x_w_j_s_y=s_y_l_x\r\n";
    o << "[1]\r\n";
    o << "mblx=" << d.type << "\r\n";
    o << "mbfl=" << d.category << "\r\n";
    o << "xpsl=" << d.slots.size() << "\r\n";
    o << "xpkd=" << barList(d.slots, [](const Slot& s) { return std::to_string(s.width); })
      << "\r\n";
    o << "xpgd=" << barList(d.slots, [](const Slot& s) { return std::to_string(s.height); })
      << "\r\n";
    o << "szhz=" << barList(d.slots, [](const Slot& s) { return s.orientation; }) << "\r\n";
    o << "xpjpgmc=" << barList(d.slots, [](const Slot& s) { return s.name; }) << "\r\n";
    o << "mbdx=" << d.frames << "\r\n";
    return o.str();
}

}  // namespace orvane::tc
