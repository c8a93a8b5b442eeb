// Template descriptions: what the compiler refuses, and the INI it writes.

#include "description.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using nlohmann::json;
using orvane::tc::parseDescription;

namespace {

json minimal() {
    return json::parse(R"({
        "type": "单张", "category": "风景", "frames": 200,
        "slots": [{"orientation": "heng", "width": 800, "height": 600},
                  {"orientation": "shu", "width": 0, "height": 0}],
        "layers": [{"kind": "photo", "slot": 1}, {"kind": "photo", "slot": 2},
                   {"kind": "transition"}]
    })");
}

}  // namespace

TEST(TemplateDescription, WritesTheIniWithOneBarListItemPerSlot) {
    const std::string ini = orvane::tc::templateIni(parseDescription(minimal()));
    EXPECT_EQ(ini,
              "[l_x_w_j_s_y]\r\nl_x_w_j_s_y=s_y_l_x\r\n[1]\r\nmblx=单张\r\nmbfl=风景\r\nxpsl=2\r\n"
              "xpkd=|800|0|\r\nxpgd=|600|0|\r\nszhz=|heng|shu|\r\nxpjpgmc=|picture_1|picture_2|\r\n"
              "mbdx=200\r\n");
}

TEST(TemplateDescription, RefusesWhatCannotMakeAWorkingTemplate) {
    struct Case {
        const char* what;
        std::function<void(json&)> spoil;
    };
    const Case cases[] = {
        {"no transition layer", [](json& d) { d["layers"].erase(2); }},
        {"two transition layers",
         [](json& d) {
             d["layers"].push_back({{"kind", "transition"}});
         }},
        {"a slot nobody shows", [](json& d) { d["layers"].erase(1); }},
        {"a slot shown twice",
         [](json& d) {
             d["layers"].push_back({{"kind", "photo"}, {"slot", 1}});
         }},
        {"a photo of a missing slot", [](json& d) { d["layers"][1]["slot"] = 3; }},
        {"an unknown orientation", [](json& d) { d["slots"][0]["orientation"] = "wide"; }},
        {"a half-sized slot", [](json& d) { d["slots"][0]["height"] = 0; }},
        {"no frames", [](json& d) { d["frames"] = 0; }},
        {"no layers", [](json& d) { d.erase("layers"); }},
    };
    EXPECT_NO_THROW(parseDescription(minimal()));
    for (const Case& c : cases) {
        json d = minimal();
        c.spoil(d);
        EXPECT_ANY_THROW(parseDescription(d)) << c.what;
    }
}

// The lower part of the frame belongs to the lyrics: the karaoke rows start
// at 811 of 1080 and the LRC line sits at the bottom. A template's caption
// that comes to rest down there is covered by them in every album with
// lyrics.
TEST(ShippedDescriptions, CaptionsComeToRestAboveTheLyrics) {
    constexpr double kLyricBandTop = 800;
    int captions = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORVANE_TEMPLATE_SOURCES)) {
        if (entry.path().extension() != ".json") continue;
        std::ifstream in(entry.path());
        const json description = json::parse(in);
        for (const json& layer : description.at("layers")) {
            if (layer.value("kind", "") != "text") continue;
            double y = -1;
            for (const json& key : layer.at("keys"))
                if (key.contains("y")) y = key.at("y").get<double>();
            const double bottom = y + layer.value("size", 48) / 2.0;
            EXPECT_LT(bottom, kLyricBandTop)
                << entry.path().filename() << ": " << layer.value("text", "");
            ++captions;
        }
    }
    EXPECT_GT(captions, 0);
}
