#pragma once
// The album settings: single values chosen in the settings windows and the
// make commands, with their defaults, the output size lists, and the texts of
// the summary panel.

#include <QString>
#include <vector>

#include "base/enum_words.h"

namespace orvane {

// Extensions of working files; fixed for the whole run.
struct PackageExtensions {
    QString ext1 = QStringLiteral(".rar");  // unpacked template movies
    QString ext2 = QStringLiteral(".rar");  // staged and transition pictures
    QString ext3 = QStringLiteral(".rar");  // temporary full-size capture
    QString ext4 = QStringLiteral(".rar");  // not used
    QString ext5 = QStringLiteral(".jpg");  // JPEG files of previews and albums
    QString ext6 = QStringLiteral(".png");  // not used
    QString ext7 = QStringLiteral(".bmp");  // thumbnails

    bool operator==(const PackageExtensions&) const = default;
};

enum class LandscapeCrop { FullScreen, TemplateDefault };
enum class PortraitCrop { ZoomedPart, TemplateDefault };

// How photos are fitted into slots without a size of their own: one choice
// for landscape (and square) photos, one for portrait photos.
struct CropStyles {
    LandscapeCrop landscape = LandscapeCrop::FullScreen;
    PortraitCrop portrait = PortraitCrop::ZoomedPart;

    bool operator==(const CropStyles&) const = default;
};
// The whole photo within 1920 × 1080, no band and nothing cut: the fit of a
// photo that supplements a removed one.
inline constexpr CropStyles kWholePhotoCrop{LandscapeCrop::TemplateDefault,
                                            PortraitCrop::TemplateDefault};

// What a make writes: a video of one of five kinds, or a picture sequence
// (a folder of numbered pictures, "XLTP" in the tables).
enum class OutputType { Vcd, Svcd, Dvd, Avi, Mp4, PictureSequence };
enum class TvSystem { Pal, Ntsc };
enum class Quality { Normal, High };
// Whether the album lasts as long as its photos or as its songs.
enum class SyncMode { Photos, Music };
// Which lyrics an album with karaoke files shows.
enum class LyricKind { Lrc, Karaoke, Both };

template <>
std::span<const EnumWord<OutputType>> enumWords<OutputType>();
template <>
std::span<const EnumWord<TvSystem>> enumWords<TvSystem>();
template <>
std::span<const EnumWord<Quality>> enumWords<Quality>();
template <>
std::span<const EnumWord<SyncMode>> enumWords<SyncMode>();
template <>
std::span<const EnumWord<LyricKind>> enumWords<LyricKind>();
template <>
std::span<const EnumWord<LandscapeCrop>> enumWords<LandscapeCrop>();
template <>
std::span<const EnumWord<PortraitCrop>> enumWords<PortraitCrop>();

struct AlbumSettings {
    OutputType outputType = OutputType::Dvd;
    TvSystem tvSystem = TvSystem::Pal;
    Quality quality = Quality::High;
    SyncMode syncMode = SyncMode::Photos;
    int outputWidth = 1280;
    int outputHeight = 720;
    LyricKind lyricKind = LyricKind::Both;
    int thumbWidth = 180;
    int thumbHeight = 180;
    PackageExtensions ext;

    // Choices held by the settings windows themselves.
    LandscapeCrop landscapeCrop = LandscapeCrop::FullScreen;
    PortraitCrop portraitCrop = PortraitCrop::ZoomedPart;
    bool loopMusicToFill = false;                         // "以音乐循环播放补充帧频"
    bool loopPicturesToFill = false;                      // "以画面循环播放补充帧频"
    QString imageSequenceFormat = QStringLiteral("JPG");  // JPG, BMP, TGA, PCX
    // Where the karaoke rows are drawn on a 1920 × 1080 frame, placed in the
    // karaoke editor's preview panel: row A's left and top, row B's top (its
    // left follows from its line's width).
    int karaokeRowALeft = 180;
    int karaokeRowATop = 811;
    int karaokeRowBTop = 931;

    bool operator==(const AlbumSettings&) const = default;
};

// The crop choices the settings hold now.
CropStyles cropStyles(const AlbumSettings& settings);

QString landscapeCropCaption(LandscapeCrop crop);
QString portraitCropCaption(PortraitCrop crop);

struct OutputSize {
    int width = 0;
    int height = 0;
    bool operator==(const OutputSize&) const = default;
};

inline constexpr int kDefaultOutputSizeIndex = 4;  // 1280 × 720 in every list

// The sizes offered for an output type (VCD has five, the others, MP4
// included, eight: 320 × 176 up to 1920 × 1080).
std::vector<OutputSize> outputSizes(OutputType outputType);
// "1920 × 1080"
QString outputSizeText(OutputSize size);
// Writes entry `index` of the list of the current output type into the
// settings; an index outside the list is ignored and returns false.
bool selectOutputSize(AlbumSettings& settings, int index);
// The image formats of a picture sequence.
std::vector<QString> imageSequenceFormats();

// What a make command does before it asks for the size: sets the output type
// and selects the default entry of its list (1280 × 720), whatever size an
// earlier make of another type chose.
void prepareOutputSize(AlbumSettings& settings, OutputType outputType);
// "默认" of the output size window: the default entry and, for a picture
// sequence, the format "JPG".
void restoreOutputDefaults(AlbumSettings& settings);
// The entry of the current type's list that the settings hold, or -1.
int selectedOutputSizeIndex(const AlbumSettings& settings);
// "1280 × 720" for the size the settings hold.
QString currentOutputSizeText(const AlbumSettings& settings);
// A format outside imageSequenceFormats() is ignored and returns false.
bool chooseImageSequenceFormat(AlbumSettings& settings, const QString& format);
// "VCD", "SVCD", "DVD", "AVI", "MP4" or "XLTP".
QString outputTypeCaption(OutputType outputType);
// The type display of the output size window: the output type, or for a
// picture sequence its image format.
QString outputTypeText(const AlbumSettings& settings);

// The radio choices of the album duration and other settings windows.
enum class SettingsOption {
    PhotoLength,  // "以相片时间长度为准"
    MusicLength,  // "以音乐时间长度为准"
    Pal,
    Ntsc,
    NormalQuality,
    HighQuality,
    LandscapeFullScreen,
    LandscapeTemplateDefault,
    PortraitZoomedPart,
    PortraitTemplateDefault,
    LrcLyrics,      // "使用LRC歌词"
    KaraokeLyrics,  // "使用卡拉OK歌词"
    BothLyrics,     // "两种歌词都使用"
};

QString optionCaption(SettingsOption option);
// Writes the choice. Photo length also clears the picture loop, which only
// lengthens an album that follows the music. A crop style changes nothing
// but the crop style.
void chooseOption(AlbumSettings& settings, SettingsOption option);
bool isChosen(const AlbumSettings& settings, SettingsOption option);

// Without songs the album can only follow the photos: photo length, both
// loops cleared.
void resetAlbumLength(AlbumSettings& settings);
// The picture loop can be ticked only while the album follows the music.
bool picturesCanLoop(const AlbumSettings& settings);
// Ignored (returns false) while the album follows the photos.
bool setLoopPicturesToFill(AlbumSettings& settings, bool on);

struct ProjectModel;

struct SummaryRow {
    QString caption;
    QString value;
    QString unit;  // empty when the row has none
};

// The value with its unit, one space apart: "3 张", "高清画质".
QString summaryValueText(const SummaryRow& row);
// The caption, a space and the value text: "相片数量: 3 张". A line shown in
// one label reads so, and so is a value label named.
QString summaryLineText(const SummaryRow& row);

// The rows of the summary, in the order of summaryRows().
enum class SummaryItem {
    Photos,
    Music,
    Lyrics,
    Quality,
    TvSystem,
    AlbumLength,
    TextEffects,
    PictureEffects,
};

SummaryRow summaryRow(const ProjectModel& model, SummaryItem item);
// Every row of the summary, top to bottom.
std::vector<SummaryRow> summaryRows(const ProjectModel& model);
// The rows of the main window's "其它相关" panel, top to bottom; the counts of
// photos, songs and lyrics stand in their own side panels.
std::vector<SummaryItem> otherSettingsSummaryItems();

QString qualityCaption(Quality quality);
QString tvSystemCaption(TvSystem tvSystem);
QString syncModeCaption(SyncMode syncMode);

}  // namespace orvane
