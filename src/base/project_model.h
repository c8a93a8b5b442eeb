#pragma once
// The whole state of the album being made: photos, template instances,
// the template catalogue, songs, lyric and karaoke files, timed texts,
// picture decorations and the album settings. It lives in memory only and is
// touched by one thread at a time (the GUI thread, or the worker thread that
// a modal progress window runs).
//
// Fields are typed where the code reads them as numbers, flags or choices;
// the rest hold the documented text form ("wu" for none). Each table has one
// field list giving its field names and captions in column order;
// rowToTexts() and rowFromTexts() produce and parse the documented text rows
// of any table from it, and the project file reads and writes it.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>

#include "base/album_settings.h"
#include "base/field_def.h"
#include "base/manual_crop.h"
#include "base/random_generator.h"
#include "base/table.h"

namespace orvane {

inline const QString kNone = QStringLiteral("wu");

// Where a lyric line stands across and down its frame; Unset leaves the
// line where it is.
enum class LyricHAlign { Unset, Left, Centre, Right };
enum class LyricVAlign { Unset, Top, Middle, Bottom };
// The characters a karaoke file is shown in.
enum class KaraokeScript { Simplified, Traditional };
// How far a photo's thumbnail or slot picture is: waiting to be made, made,
// or (its thumbnail state, while staging renumbers the template folders) not
// yet renumbered.
enum class PhotoStep { Pending, Done, Cleared };
// Whether an effect row is moving now.
enum class RunState { Stopped, Running };

template <>
std::span<const EnumWord<LyricHAlign>> enumWords<LyricHAlign>();
template <>
std::span<const EnumWord<LyricVAlign>> enumWords<LyricVAlign>();
template <>
std::span<const EnumWord<KaraokeScript>> enumWords<KaraokeScript>();
template <>
std::span<const EnumWord<RunState>> enumWords<RunState>();
template <>
std::span<const EnumWord<PhotoStep>> enumWords<PhotoStep>();

struct PhotoEntry {
    QString index;
    QString location;
    QString fileName;
    QString fileType;
    QString width;
    QString height;
    QString orientation;  // "heng_zhao" or "shu_zhao"
    QString templateFolder;
    QString mainTemplateNo;
    QString testImageName;
    QString templatePhotoCount;
    QString imageName;
    QString templatePath;
    QString requiredWidth;
    QString requiredHeight;
    QString slotWidth;
    QString slotHeight;
    QString slotOrientation;
    QString slotJpgName;
    QString templateFrameCount;
    PhotoStep thumbnailState = PhotoStep::Pending;
    PhotoStep cropState = PhotoStep::Pending;
    // Set by the crop window; staging uses it while the slot keeps its size.
    std::optional<ManualCropInput> manualCrop;
    // The crop styles the photo was first staged with (the settings of its
    // import), so that staging it again (a reopened project) gives the same
    // slot picture whatever the settings say by then. Empty until it is
    // staged, and in projects saved before it was kept: the settings decide.
    std::optional<CropStyles> stagedCrop;

    bool operator==(const PhotoEntry&) const = default;
};

struct TemplateEntry {
    QString templateType;
    QString category;
    QString photoCount;
    QString photoWidth;
    QString photoHeight;
    QString orientation;
    QString jpgName;
    QString location;
    QString categoryMark;  // "", "heng", "shu", "shuheng" or "gaojimoban"
    QString seqNo;
    QString landscapeCount;  // classified tables only
    QString portraitCount;   // classified tables only
    QString frameCount;
    QString classifiedRow;  // draw pools only: 0-based row in the classified table

    bool operator==(const TemplateEntry&) const = default;
};

struct MusicEntry {
    QString index;
    QString fileName;
    QString fileType;
    QString location;
    QString duration;  // "00:MM:SS"
    int frameCount = 0;
    QString boundLyric = kNone;
    QString boundLyricName = kNone;

    bool operator==(const MusicEntry&) const = default;
};

struct LyricEntry {
    QString index;
    QString fileName;
    QString fileType;
    QString location;
    QString boundMusic = kNone;
    QString boundMusicName = kNone;
    QString colorName = QStringLiteral("clWhite");
    QString colorValue = QStringLiteral("16777215");
    int fontSize = 10;
    QString fontName = QStringLiteral("黑体");
    bool bold = false;       // shown "cuti" or "wu"
    bool italic = false;     // shown "xieti" or "wu"
    bool underline = false;  // shown "xiahuaxian" or "wu"
    LyricHAlign hAlign = LyricHAlign::Unset;
    LyricVAlign vAlign = LyricVAlign::Unset;

    bool operator==(const LyricEntry&) const = default;
};

struct KaraokeEntry {
    QString index;
    QString name;
    QString colorName = QStringLiteral("clWhite");
    QString fillColorName = QStringLiteral("clBlue");
    QString fontName = QStringLiteral("黑体");
    int fontSize = 25;
    bool bold = true;  // the flags are shown "T" or "F"
    bool italic = false;
    bool underline = false;
    QString location;
    QString colorValue = QStringLiteral("16777215");
    QString fillColorValue = QStringLiteral("16711680");
    KaraokeScript script = KaraokeScript::Simplified;

    bool operator==(const KaraokeEntry&) const = default;
};

struct TextEffect {
    QString text;
    QString startTime;
    QString endTime;
    RunState runState = RunState::Stopped;
    QString motionKey;
    QString x;
    QString y;
    QString effectName;
    QString colorName;
    QString fontName;
    int fontSize = 10;
    bool bold = false;  // the flags are shown "cuti", "xieti", "xiahuaxian" or "0"
    bool italic = false;
    bool underline = false;
    QString colorValue;

    bool operator==(const TextEffect&) const = default;
};

struct PictureEffect {
    int frames = 0;
    QString startTime;
    QString endTime;
    RunState runState = RunState::Stopped;
    QString decoration;
    int seqNo = 0;
    QString placement;  // "x,y" on a 1920 × 1080 frame (src/effects/picture_effect.h)

    bool operator==(const PictureEffect&) const = default;
};

std::span<const FieldDef<PhotoEntry>> photoFields();
// The matcher's working table holds the photo fields up to templateFrameCount.
std::span<const FieldDef<PhotoEntry>> photoWorkingFields();
std::span<const FieldDef<TemplateEntry>> catalogueFields();
// Landscape, portrait and advanced tables: ten catalogue fields, the two slot
// counts, then the frame count.
std::span<const FieldDef<TemplateEntry>> classifiedTemplateFields();
// The matcher's draw pools: as the classified tables, but the ninth column is
// the template's row in its classified table.
std::span<const FieldDef<TemplateEntry>> poolTemplateFields();
std::span<const FieldDef<MusicEntry>> musicFields();
std::span<const FieldDef<LyricEntry>> lyricFields();
std::span<const FieldDef<KaraokeEntry>> karaokeFields();
std::span<const FieldDef<TextEffect>> textEffectFields();
std::span<const FieldDef<PictureEffect>> pictureEffectFields();

template <typename Row>
QStringList fieldCaptions(std::span<const FieldDef<Row>> fields) {
    QStringList out;
    for (const auto& f : fields) out << QString::fromUtf8(f.caption);
    return out;
}

template <typename Row>
QStringList rowToTexts(const Row& row, std::span<const FieldDef<Row>> fields) {
    QStringList out;
    for (const auto& f : fields) out << f.text(row);
    return out;
}

// Fields beyond the texts given, and fields whose text is not one of their
// values, keep their default values.
template <typename Row>
Row rowFromTexts(const QStringList& texts, std::span<const FieldDef<Row>> fields) {
    Row row;
    for (qsizetype i = 0; i < texts.size() && i < static_cast<qsizetype>(fields.size()); ++i)
        fields[static_cast<std::size_t>(i)].setText(row, texts[i]);
    return row;
}

// Converts a numeric field; a field that is not a number is a programming
// error in the code that wrote it, reported as OrvaneError.
int fieldToInt(const QString& text, const char* what);

// True when the photo is landscape: wider than tall, or square.
QString photoOrientationFor(int width, int height);

struct CatalogueScanLists {
    QStringList foundPackages;      // ListBox_saomiaomobanwenjian
    QStringList pairingRows;        // ListBox_saomiaomobanwenjian_bianhao
    QStringList parameterPackages;  // ListBox_saomiaomobanwenjian_ini
    QStringList moviePackages;      // ListBox_saomiaomobanwenjian_swf
};

struct ProjectModel {
    Table<PhotoEntry> photos;            // ListView_daoruxiangpian
    Table<PhotoEntry> photoWorking;      // ListView_daoruxiangpianchuli
    Table<PhotoEntry> photoDragScratch;  // ListView_daoruxiangpian_tuodong_linshi

    Table<TemplateEntry> catalogue;            // ListView_mobancanshu
    Table<TemplateEntry> landscapeTemplates;   // ListView_hengzhaopian
    Table<TemplateEntry> portraitTemplates;    // ListView_shuzhaopian
    Table<TemplateEntry> advancedTemplates;    // ListView_gaojimoban
    Table<TemplateEntry> landscapePool;        // ListView_hengzhaopian_suijishu
    Table<TemplateEntry> landscapePoolSingle;  // ListView_hengzhaopian_suijishu_wei_1
    Table<TemplateEntry> portraitPool;         // ListView_shuzhaopian_suijishu
    Table<TemplateEntry> portraitPoolSingle;   // ListView_shuzhaopian_suijishu_wei_1
    CatalogueScanLists catalogueScan;

    QString templateInstanceCount = QStringLiteral("0");  // Edit_mobanleijia_sum
    QString stagingReset = QStringLiteral("kai");         // Edit_daoru_moban_kaishishiyong_kaiguan
    QString unpackCounter = QStringLiteral("0");          // Edit_wj_1_jy_leijia

    Table<MusicEntry> music;              // ListView_daoru_yinyue
    Table<MusicEntry> musicDragScratch;   // ListView_daoruyinyue_tuodong_linshi
    std::uint64_t bindingKeySerial = 0;   // makes every binding key of the run unique
    Table<LyricEntry> lyrics;             // ListView_daoru_LRC
    Table<LyricEntry> lyricDragScratch;   // ListView_daorulrc_tuodong_linshi
    Table<KaraokeEntry> karaoke;          // suiListView_ksc
    Table<TextEffect> textEffects;        // ListView_Label
    Table<PictureEffect> pictureEffects;  // ListView_Image

    AlbumSettings settings;
    RandomGenerator random;
};

// A song and a lyric are bound exactly when their keys are equal and
// neither is "wu".
bool isBound(const MusicEntry& song, const LyricEntry& lyric);

}  // namespace orvane
