#pragma once
// A template description: the JSON file in templates/ that the compiler
// turns into a template movie and its parameter INI. The format is
// documented in templates/README.md.

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace orvane::tc {

struct Slot {
    std::string orientation;  // "heng", "shu" or "shuheng"
    int width = 0;            // 0 × 0: a full-screen slot
    int height = 0;
    std::string name;  // clip name = the picture's name, "picture_<k>"
};

struct TemplateDescription {
    std::string title;
    std::string type;      // mblx
    std::string category;  // mbfl
    int frames = 0;        // mbdx
    int stageWidth = 1920;
    int stageHeight = 1080;
    int frameRate = 25;
    std::string background = "#000000";
    std::vector<Slot> slots;  // empty for the ending movie
    nlohmann::json layers;    // array, bottom layer first
};

// Reads and checks a description; throws std::runtime_error naming the file
// and the problem.
TemplateDescription readDescription(const std::filesystem::path& file);
TemplateDescription parseDescription(const nlohmann::json& json);

// The template's parameter INI (CRLF lines, UTF-8).
std::string templateIni(const TemplateDescription& d);

}  // namespace orvane::tc
