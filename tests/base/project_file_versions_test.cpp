// Project file versions: a version 1 file (every table field and most
// settings stored as the tables' text) opens into the typed model; this
// build writes version 2, whose flags are JSON booleans, numbers JSON
// numbers and choices English names; a value a field cannot take, in either
// version, refuses the file by name.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/project_file.h"
#include "support/test_support.h"

namespace orvane {
namespace {

const ProjectPaths kPaths{QStringLiteral("/albums/trip/trip.orvane"), "/run/smxcwjj"};

// One row of each table and every setting, as version 1 wrote them.
const char* const kVersion1 = R"({
  "format": "orvane-project", "version": 1,
  "bindingKeySerial": 3, "templateInstanceCount": 1,
  "settings": {
    "outputType": "XLTP", "tvSystem": "NTSC", "quality": "yiban_huazhi",
    "syncMode": "sui_yinyue_tongbu", "outputWidth": "640", "outputHeight": "368",
    "lyricKind": "shiyong_ksc", "thumbWidth": "180", "thumbHeight": "180",
    "landscapeCrop": "templateDefault", "portraitCrop": "zoomedPart",
    "loopMusicToFill": true, "loopPicturesToFill": true, "imageSequenceFormat": "TGA",
    "karaokeRowALeft": 200, "karaokeRowATop": 800, "karaokeRowBTop": 900
  },
  "photos": [{
    "location": "a.jpg", "fileName": "a", "fileType": ".jpg", "width": "800", "height": "600",
    "orientation": "heng_zhao", "templateFolder": "1", "mainTemplateNo": "13",
    "templatePath": "wj_0_or_2/wjj_01/h08.rar", "templateFrameCount": "250",
    "thumbnailState": "jiancai_yes", "cropState": "jiancai_no",
    "cropStyle": {"landscape": "fullScreen", "portrait": "templateDefault"}
  }],
  "music": [{
    "fileName": "song", "fileType": ".mp3", "location": "/music/song.mp3",
    "duration": "00:01:00", "frameCount": "1500", "boundLyric": "k1", "boundLyricName": "song"
  }],
  "lyrics": [{
    "fileName": "song", "fileType": ".lrc", "location": "song.lrc", "boundMusic": "k1",
    "boundMusicName": "song", "colorName": "clRed", "colorValue": "255", "fontSize": "18",
    "fontName": "宋体", "bold": "wu", "italic": "xieti", "underline": "xiahuaxian",
    "hAlign": "youbian", "vAlign": "shangmian"
  }],
  "karaoke": [{
    "name": "song", "colorName": "clWhite", "fillColorName": "clBlue", "fontName": "黑体",
    "fontSize": "30", "bold": "F", "italic": "T", "underline": "F", "location": "song.ksc",
    "colorValue": "16777215", "fillColorValue": "16711680", "script": "fanti"
  }],
  "textEffects": [{
    "text": "你好", "startTime": "00:03", "endTime": "暂无", "runState": "tingzhi",
    "motionKey": "congzuoxiangyou", "x": "0", "y": "260", "effectName": "从左向右",
    "colorName": "clYellow", "fontName": "黑体", "fontSize": "18", "bold": "cuti",
    "italic": "0", "underline": "xiahuaxian", "colorValue": "65535"
  }],
  "pictureEffects": [{
    "frames": "75", "startTime": "00:01", "endTime": "00:04", "runState": "tingzhi",
    "decoration": "deco/badge.png", "seqNo": "1", "placement": "100,100"
  }]
})";

void expectNumber(const QJsonValue& value, int number) {
    EXPECT_TRUE(value.isDouble());
    EXPECT_EQ(value.toInt(), number);
}

void expectFlag(const QJsonValue& value, bool on) {
    EXPECT_TRUE(value.isBool());
    EXPECT_EQ(value.toBool(), on);
}

Result<ProjectModel> open(const std::string& text) {
    return projectFromJson(QByteArray::fromStdString(text), kPaths);
}

TEST(ProjectFileVersions, AVersion1FileOpensIntoTheTypedModel) {
    auto model = open(kVersion1);
    ASSERT_TRUE(model.has_value()) << model.error().message.toStdString();

    const AlbumSettings& s = model->settings;
    EXPECT_EQ(s.outputType, OutputType::PictureSequence);
    EXPECT_EQ(s.tvSystem, TvSystem::Ntsc);
    EXPECT_EQ(s.quality, Quality::Normal);
    EXPECT_EQ(s.syncMode, SyncMode::Music);
    EXPECT_EQ(s.lyricKind, LyricKind::Karaoke);
    EXPECT_EQ((OutputSize{s.outputWidth, s.outputHeight}), (OutputSize{640, 368}));
    EXPECT_EQ(s.thumbWidth, 180);
    EXPECT_EQ(s.landscapeCrop, LandscapeCrop::TemplateDefault);
    EXPECT_TRUE(s.loopPicturesToFill);
    EXPECT_EQ(s.imageSequenceFormat, "TGA");
    EXPECT_EQ(s.karaokeRowALeft, 200);

    const PhotoEntry& photo = model->photos.at(0);
    EXPECT_EQ(photo.location, "/albums/trip/a.jpg");
    EXPECT_EQ(photo.templatePath, "/run/smxcwjj/wj_0_or_2/wjj_01/h08.rar");
    EXPECT_EQ(photo.thumbnailState, PhotoStep::Done);
    EXPECT_EQ(photo.cropState, PhotoStep::Pending);
    EXPECT_EQ(photo.stagedCrop,
              (CropStyles{LandscapeCrop::FullScreen, PortraitCrop::TemplateDefault}));

    EXPECT_EQ(model->music.at(0).frameCount, 1500);

    const LyricEntry& lyric = model->lyrics.at(0);
    EXPECT_EQ(lyric.fontSize, 18);
    EXPECT_FALSE(lyric.bold);
    EXPECT_TRUE(lyric.italic);
    EXPECT_TRUE(lyric.underline);
    EXPECT_EQ(lyric.hAlign, LyricHAlign::Right);
    EXPECT_EQ(lyric.vAlign, LyricVAlign::Top);
    EXPECT_EQ(lyric.location, "/albums/trip/song.lrc");

    const KaraokeEntry& karaoke = model->karaoke.at(0);
    EXPECT_EQ(karaoke.fontSize, 30);
    EXPECT_FALSE(karaoke.bold);
    EXPECT_TRUE(karaoke.italic);
    EXPECT_EQ(karaoke.script, KaraokeScript::Traditional);

    const TextEffect& text = model->textEffects.at(0);
    EXPECT_EQ(text.runState, RunState::Stopped);
    EXPECT_EQ(text.fontSize, 18);
    EXPECT_TRUE(text.bold);
    EXPECT_FALSE(text.italic);
    EXPECT_TRUE(text.underline);

    const PictureEffect& picture = model->pictureEffects.at(0);
    EXPECT_EQ(picture.frames, 75);
    EXPECT_EQ(picture.seqNo, 1);
    EXPECT_EQ(picture.runState, RunState::Stopped);
    EXPECT_EQ(picture.decoration, "/albums/trip/deco/badge.png");
    EXPECT_EQ(model->bindingKeySerial, 3u);
}

TEST(ProjectFileVersions, ItIsSavedAsVersion2WithJsonTypesAndOpensTheSame) {
    auto model = open(kVersion1);
    ASSERT_TRUE(model.has_value());
    const QByteArray saved = projectToJson(*model, kPaths);
    const QJsonObject document = QJsonDocument::fromJson(saved).object();
    EXPECT_EQ(document["version"].toInt(), 2);

    const QJsonObject settings = document["settings"].toObject();
    EXPECT_EQ(settings["outputType"].toString(), "pictures");
    EXPECT_EQ(settings["tvSystem"].toString(), "ntsc");
    EXPECT_EQ(settings["quality"].toString(), "normal");
    EXPECT_EQ(settings["syncMode"].toString(), "music");
    EXPECT_EQ(settings["lyricKind"].toString(), "ksc");
    expectNumber(settings["outputWidth"], 640);
    const auto first = [&](const char* table) { return document[table].toArray()[0].toObject(); };
    expectFlag(first("lyrics")["bold"], false);
    expectFlag(first("lyrics")["italic"], true);
    expectNumber(first("lyrics")["fontSize"], 18);
    EXPECT_EQ(first("lyrics")["hAlign"].toString(), "right");
    EXPECT_EQ(first("karaoke")["script"].toString(), "traditional");
    expectNumber(first("music")["frameCount"], 1500);
    EXPECT_EQ(first("textEffects")["runState"].toString(), "stopped");
    expectNumber(first("pictureEffects")["seqNo"], 1);
    EXPECT_EQ(first("photos")["cropState"].toString(), "pending");
    EXPECT_EQ(first("photos")["location"].toString(), "a.jpg");

    auto again = projectFromJson(saved, kPaths);
    ASSERT_TRUE(again.has_value()) << again.error().message.toStdString();
    EXPECT_EQ(again->settings, model->settings);
    EXPECT_EQ(again->photos, model->photos);
    EXPECT_EQ(again->music, model->music);
    EXPECT_EQ(again->lyrics, model->lyrics);
    EXPECT_EQ(again->karaoke, model->karaoke);
    EXPECT_EQ(again->textEffects, model->textEffects);
    EXPECT_EQ(again->pictureEffects, model->pictureEffects);
}

// `text` with its first `from` replaced by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(ProjectFileVersions, AValueAFieldCannotTakeRefusesTheFileByName) {
    const std::string v1 = kVersion1;
    const std::string v2 = projectToJson(open(v1).value(), kPaths).toStdString();
    struct Case {
        const char* name;
        std::string content;
        const char* message;
    };
    const std::vector<Case> cases{
        {"v1 unknown TV system", replaced(v1, R"("NTSC")", R"("SECAM")"), "\"tvSystem\""},
        {"v1 size not a number", replaced(v1, R"("640")", R"("wide")"), "\"outputWidth\""},
        {"v1 gigapixel frame", replaced(v1, R"("640")", R"("900000")"), "output size"},
        {"v1 font size not a number", replaced(v1, R"("fontSize": "18")", R"("fontSize": "big")"),
         "field \"fontSize\" of row 1 of \"lyrics\""},
        {"v1 unknown alignment", replaced(v1, R"("youbian")", R"("sideways")"), "\"hAlign\""},
        {"v1 number where text was",
         replaced(v1, R"("frameCount": "1500")", R"("frameCount": 1500)"), "\"frameCount\""},
        {"v2 text where a flag is", replaced(v2, R"("italic": true)", R"("italic": "xieti")"),
         "\"italic\""},
        {"v2 version 1 word", replaced(v2, R"("ntsc")", R"("NTSC")"), "\"tvSystem\""},
        {"v2 fraction", replaced(v2, R"("frameCount": 1500)", R"("frameCount": 1500.5)"),
         "\"frameCount\""},
        {"v2 huge number", replaced(v2, R"("frameCount": 1500)", R"("frameCount": 1e300)"),
         "\"frameCount\""},
        {"v2 negative serial",
         replaced(v2, R"("bindingKeySerial": 3)", R"("bindingKeySerial": -3)"), "serial"},
        {"unknown version", replaced(v2, R"("version": 2)", R"("version": 0)"), "version 0"},
        {"newer version", replaced(v2, R"("version": 2)", R"("version": 3)"), "newer Orvane"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto model = open(c.content);
        ASSERT_FALSE(model.has_value());
        EXPECT_TRUE(model.error().message.contains(QLatin1String(c.message)))
            << model.error().message.toStdString();
        EXPECT_TRUE(model.error().message.contains(QStringLiteral("/albums/trip/trip.orvane")));
    }
}

}  // namespace
}  // namespace orvane
