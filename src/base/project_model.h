#pragma once
// The whole state of the album being made: photos, template instances,
// the template catalogue, songs, lyric and karaoke files, timed texts,
// picture decorations and the album settings. It lives in memory only and is
// touched by one thread at a time (the GUI thread, or the worker thread that
// a modal progress window runs).
//
// Every field holds the documented text form: numbers as decimal text, flags
// as fixed keywords, "wu" for none. Each table has one field list giving its
// field names and captions in column order; rowToTexts() and rowFromTexts()
// produce and parse the text rows of any table from it.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>

#include "base/album_settings.h"
#include "base/manual_crop.h"
#include "base/random_generator.h"
#include "base/table.h"

namespace orvane {

inline const QString kNone = QStringLiteral("wu");

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
    QString thumbnailState = QStringLiteral("jiancai_no");
    QString cropState = QStringLiteral("jiancai_no");
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
    QString frameCount;
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
    QString fontSize = QStringLiteral("10");
    QString fontName = QStringLiteral("黑体");
    QString bold = kNone;       // "cuti" or "wu"
    QString italic = kNone;     // "xieti" or "wu"
    QString underline = kNone;  // "xiahuaxian" or "wu"
    QString hAlign;             // "zuobian", "juzhong", "youbian"
    QString vAlign;             // "shangmian", "zhongjian", "xiamian"

    bool operator==(const LyricEntry&) const = default;
};

struct KaraokeEntry {
    QString index;
    QString name;
    QString colorName = QStringLiteral("clWhite");
    QString fillColorName = QStringLiteral("clBlue");
    QString fontName = QStringLiteral("黑体");
    QString fontSize = QStringLiteral("25");
    QString bold = QStringLiteral("T");
    QString italic = QStringLiteral("F");
    QString underline = QStringLiteral("F");
    QString location;
    QString colorValue = QStringLiteral("16777215");
    QString fillColorValue = QStringLiteral("16711680");
    QString script = QStringLiteral("jianti");  // "jianti" or "fanti"

    bool operator==(const KaraokeEntry&) const = default;
};

struct TextEffect {
    QString text;
    QString startTime;
    QString endTime;
    QString runState;  // "tingzhi" or "qidong"
    QString motionKey;
    QString x;
    QString y;
    QString effectName;
    QString colorName;
    QString fontName;
    QString fontSize;
    QString bold;
    QString italic;
    QString underline;
    QString colorValue;

    bool operator==(const TextEffect&) const = default;
};

struct PictureEffect {
    QString frames;
    QString startTime;
    QString endTime;
    QString runState;
    QString decoration;
    QString seqNo;
    QString placement;  // "x,y" on a 1920 × 1080 frame (src/effects/picture_effect.h)

    bool operator==(const PictureEffect&) const = default;
};

// One column of a table: its field name in code, its caption on screen, and
// the member that holds it.
template <typename Row>
struct FieldDef {
    const char* name;
    const char* caption;
    QString Row::*member;
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
    for (const auto& f : fields) out << row.*(f.member);
    return out;
}

// Fields beyond the texts given keep their default values.
template <typename Row>
Row rowFromTexts(const QStringList& texts, std::span<const FieldDef<Row>> fields) {
    Row row;
    for (qsizetype i = 0; i < texts.size() && i < static_cast<qsizetype>(fields.size()); ++i)
        row.*(fields[static_cast<std::size_t>(i)].member) = texts[i];
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
