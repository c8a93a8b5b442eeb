#include "base/album_settings.h"

#include <algorithm>

#include "base/project_model.h"

namespace orvane {

namespace {

constexpr EnumWord<OutputType> kOutputTypeWords[] = {
    {OutputType::Vcd, "vcd", "VCD"}, {OutputType::Svcd, "svcd", "SVCD"},
    {OutputType::Dvd, "dvd", "DVD"}, {OutputType::Avi, "avi", "AVI"},
    {OutputType::Mp4, "mp4", "MP4"}, {OutputType::PictureSequence, "pictures", "XLTP"},
};
constexpr EnumWord<TvSystem> kTvSystemWords[] = {
    {TvSystem::Pal, "pal", "PAL"},
    {TvSystem::Ntsc, "ntsc", "NTSC"},
};
constexpr EnumWord<Quality> kQualityWords[] = {
    {Quality::Normal, "normal", "yiban_huazhi"},
    {Quality::High, "high", "gaoqing_huazhi"},
};
constexpr EnumWord<SyncMode> kSyncModeWords[] = {
    {SyncMode::Photos, "photos", "sui_zhaopian_tongbu"},
    {SyncMode::Music, "music", "sui_yinyue_tongbu"},
};
constexpr EnumWord<LyricKind> kLyricKindWords[] = {
    {LyricKind::Lrc, "lrc", "shiyong_lrc"},
    {LyricKind::Karaoke, "ksc", "shiyong_ksc"},
    {LyricKind::Both, "both", "shiyong_lrcksc"},
};
// Both project file versions store the crop styles by these names.
constexpr EnumWord<LandscapeCrop> kLandscapeCropWords[] = {
    {LandscapeCrop::FullScreen, "fullScreen", "fullScreen"},
    {LandscapeCrop::TemplateDefault, "templateDefault", "templateDefault"},
};
constexpr EnumWord<PortraitCrop> kPortraitCropWords[] = {
    {PortraitCrop::ZoomedPart, "zoomedPart", "zoomedPart"},
    {PortraitCrop::TemplateDefault, "templateDefault", "templateDefault"},
};

}  // namespace

template <>
std::span<const EnumWord<OutputType>> enumWords<OutputType>() {
    return kOutputTypeWords;
}
template <>
std::span<const EnumWord<TvSystem>> enumWords<TvSystem>() {
    return kTvSystemWords;
}
template <>
std::span<const EnumWord<Quality>> enumWords<Quality>() {
    return kQualityWords;
}
template <>
std::span<const EnumWord<SyncMode>> enumWords<SyncMode>() {
    return kSyncModeWords;
}
template <>
std::span<const EnumWord<LyricKind>> enumWords<LyricKind>() {
    return kLyricKindWords;
}
template <>
std::span<const EnumWord<LandscapeCrop>> enumWords<LandscapeCrop>() {
    return kLandscapeCropWords;
}
template <>
std::span<const EnumWord<PortraitCrop>> enumWords<PortraitCrop>() {
    return kPortraitCropWords;
}

CropStyles cropStyles(const AlbumSettings& settings) {
    return {settings.landscapeCrop, settings.portraitCrop};
}

QString landscapeCropCaption(LandscapeCrop crop) {
    return crop == LandscapeCrop::FullScreen ? QStringLiteral("横照片剪裁成全屏效果")
                                             : QStringLiteral("横照片剪裁成模板特效默认效果");
}

QString portraitCropCaption(PortraitCrop crop) {
    return crop == PortraitCrop::ZoomedPart ? QStringLiteral("竖照片剪裁成局部放大效果")
                                            : QStringLiteral("竖照片使用模板特效默认效果");
}

std::vector<OutputSize> outputSizes(OutputType outputType) {
    std::vector<OutputSize> sizes = {
        {320, 176}, {464, 256}, {640, 368}, {800, 480}, {1280, 720},
    };
    if (outputType != OutputType::Vcd) {
        sizes.push_back({1440, 816});
        sizes.push_back({1600, 896});
        sizes.push_back({1920, 1080});
    }
    return sizes;
}

QString outputSizeText(OutputSize size) {
    return QStringLiteral("%1 × %2").arg(size.width).arg(size.height);
}

bool selectOutputSize(AlbumSettings& settings, int index) {
    const auto sizes = outputSizes(settings.outputType);
    if (index < 0 || index >= static_cast<int>(sizes.size())) return false;
    settings.outputWidth = sizes[static_cast<std::size_t>(index)].width;
    settings.outputHeight = sizes[static_cast<std::size_t>(index)].height;
    return true;
}

std::vector<QString> imageSequenceFormats() {
    return {QStringLiteral("JPG"), QStringLiteral("BMP"), QStringLiteral("TGA"),
            QStringLiteral("PCX")};
}

void prepareOutputSize(AlbumSettings& settings, OutputType outputType) {
    settings.outputType = outputType;
    selectOutputSize(settings, kDefaultOutputSizeIndex);
}

void restoreOutputDefaults(AlbumSettings& settings) {
    selectOutputSize(settings, kDefaultOutputSizeIndex);
    if (settings.outputType == OutputType::PictureSequence)
        settings.imageSequenceFormat = QStringLiteral("JPG");
}

int selectedOutputSizeIndex(const AlbumSettings& settings) {
    const OutputSize current{settings.outputWidth, settings.outputHeight};
    const auto sizes = outputSizes(settings.outputType);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i] == current) return static_cast<int>(i);
    return -1;
}

QString currentOutputSizeText(const AlbumSettings& settings) {
    return outputSizeText({settings.outputWidth, settings.outputHeight});
}

bool chooseImageSequenceFormat(AlbumSettings& settings, const QString& format) {
    const auto formats = imageSequenceFormats();
    if (std::find(formats.begin(), formats.end(), format) == formats.end()) return false;
    settings.imageSequenceFormat = format;
    return true;
}

QString outputTypeCaption(OutputType outputType) { return legacyText(outputType); }

QString outputTypeText(const AlbumSettings& settings) {
    return settings.outputType == OutputType::PictureSequence
               ? settings.imageSequenceFormat
               : outputTypeCaption(settings.outputType);
}

QString optionCaption(SettingsOption option) {
    switch (option) {
        case SettingsOption::PhotoLength:
            return QStringLiteral("以相片时间长度为准");
        case SettingsOption::MusicLength:
            return QStringLiteral("以音乐时间长度为准");
        case SettingsOption::Pal:
            return QStringLiteral("PAL制式");
        case SettingsOption::Ntsc:
            return QStringLiteral("NTSC制式");
        case SettingsOption::NormalQuality:
            return QStringLiteral("一般画质");
        case SettingsOption::HighQuality:
            return QStringLiteral("高清画质");
        case SettingsOption::LandscapeFullScreen:
            return landscapeCropCaption(LandscapeCrop::FullScreen);
        case SettingsOption::LandscapeTemplateDefault:
            return landscapeCropCaption(LandscapeCrop::TemplateDefault);
        case SettingsOption::PortraitZoomedPart:
            return portraitCropCaption(PortraitCrop::ZoomedPart);
        case SettingsOption::PortraitTemplateDefault:
            return portraitCropCaption(PortraitCrop::TemplateDefault);
        case SettingsOption::LrcLyrics:
            return QStringLiteral("使用LRC歌词");
        case SettingsOption::KaraokeLyrics:
            return QStringLiteral("使用卡拉OK歌词");
        case SettingsOption::BothLyrics:
            return QStringLiteral("两种歌词都使用");
    }
    return {};
}

void chooseOption(AlbumSettings& settings, SettingsOption option) {
    switch (option) {
        case SettingsOption::PhotoLength:
            settings.syncMode = SyncMode::Photos;
            settings.loopPicturesToFill = false;
            return;
        case SettingsOption::MusicLength:
            settings.syncMode = SyncMode::Music;
            return;
        case SettingsOption::Pal:
            settings.tvSystem = TvSystem::Pal;
            return;
        case SettingsOption::Ntsc:
            settings.tvSystem = TvSystem::Ntsc;
            return;
        case SettingsOption::NormalQuality:
            settings.quality = Quality::Normal;
            return;
        case SettingsOption::HighQuality:
            settings.quality = Quality::High;
            return;
        case SettingsOption::LandscapeFullScreen:
            settings.landscapeCrop = LandscapeCrop::FullScreen;
            return;
        case SettingsOption::LandscapeTemplateDefault:
            settings.landscapeCrop = LandscapeCrop::TemplateDefault;
            return;
        case SettingsOption::PortraitZoomedPart:
            settings.portraitCrop = PortraitCrop::ZoomedPart;
            return;
        case SettingsOption::PortraitTemplateDefault:
            settings.portraitCrop = PortraitCrop::TemplateDefault;
            return;
        case SettingsOption::LrcLyrics:
            settings.lyricKind = LyricKind::Lrc;
            return;
        case SettingsOption::KaraokeLyrics:
            settings.lyricKind = LyricKind::Karaoke;
            return;
        case SettingsOption::BothLyrics:
            settings.lyricKind = LyricKind::Both;
            return;
    }
}

bool isChosen(const AlbumSettings& settings, SettingsOption option) {
    switch (option) {
        case SettingsOption::PhotoLength:
            return settings.syncMode != SyncMode::Music;
        case SettingsOption::MusicLength:
            return settings.syncMode == SyncMode::Music;
        case SettingsOption::Pal:
            return settings.tvSystem == TvSystem::Pal;
        case SettingsOption::Ntsc:
            return settings.tvSystem == TvSystem::Ntsc;
        case SettingsOption::NormalQuality:
            return settings.quality == Quality::Normal;
        case SettingsOption::HighQuality:
            return settings.quality == Quality::High;
        case SettingsOption::LandscapeFullScreen:
            return settings.landscapeCrop == LandscapeCrop::FullScreen;
        case SettingsOption::LandscapeTemplateDefault:
            return settings.landscapeCrop == LandscapeCrop::TemplateDefault;
        case SettingsOption::PortraitZoomedPart:
            return settings.portraitCrop == PortraitCrop::ZoomedPart;
        case SettingsOption::PortraitTemplateDefault:
            return settings.portraitCrop == PortraitCrop::TemplateDefault;
        case SettingsOption::LrcLyrics:
            return settings.lyricKind == LyricKind::Lrc;
        case SettingsOption::KaraokeLyrics:
            return settings.lyricKind == LyricKind::Karaoke;
        case SettingsOption::BothLyrics:
            return settings.lyricKind == LyricKind::Both;
    }
    return false;
}

void resetAlbumLength(AlbumSettings& settings) {
    settings.syncMode = SyncMode::Photos;
    settings.loopMusicToFill = false;
    settings.loopPicturesToFill = false;
}

bool picturesCanLoop(const AlbumSettings& settings) { return settings.syncMode == SyncMode::Music; }

bool setLoopPicturesToFill(AlbumSettings& settings, bool on) {
    if (on && !picturesCanLoop(settings)) return false;
    settings.loopPicturesToFill = on;
    return true;
}

QString qualityCaption(Quality quality) {
    return quality == Quality::High ? QStringLiteral("高清画质") : QStringLiteral("一般画质");
}

QString tvSystemCaption(TvSystem tvSystem) {
    return tvSystem == TvSystem::Ntsc ? QStringLiteral("NTSC制式") : QStringLiteral("PAL制式");
}

QString syncModeCaption(SyncMode syncMode) {
    return syncMode == SyncMode::Music ? QStringLiteral("音乐为准") : QStringLiteral("相片为准");
}

SummaryRow summaryRow(const ProjectModel& model, SummaryItem item) {
    const AlbumSettings& s = model.settings;
    const auto count = [](const auto& table) { return QString::number(table.size()); };
    switch (item) {
        case SummaryItem::Photos:
            return {QStringLiteral("相片数量:"), count(model.photos), QStringLiteral("张")};
        case SummaryItem::Music:
            return {QStringLiteral("音乐数量:"), count(model.music), QStringLiteral("个")};
        case SummaryItem::Lyrics:
            return {QStringLiteral("歌词数量:"), count(model.lyrics), QStringLiteral("个")};
        case SummaryItem::Quality:
            return {QStringLiteral("画面质量:"), qualityCaption(s.quality), {}};
        case SummaryItem::TvSystem:
            return {QStringLiteral("电视制式:"), tvSystemCaption(s.tvSystem), {}};
        case SummaryItem::AlbumLength:
            return {QStringLiteral("相册长度:"), syncModeCaption(s.syncMode), {}};
        case SummaryItem::TextEffects:
            return {QStringLiteral("文字特效:"), count(model.textEffects), QStringLiteral("个")};
        case SummaryItem::PictureEffects:
            return {QStringLiteral("画面特效:"), count(model.pictureEffects), QStringLiteral("个")};
    }
    return {};
}

QString summaryValueText(const SummaryRow& row) {
    return row.unit.isEmpty() ? row.value : row.value + QLatin1Char(' ') + row.unit;
}

QString summaryLineText(const SummaryRow& row) {
    return row.caption + QLatin1Char(' ') + summaryValueText(row);
}

std::vector<SummaryRow> summaryRows(const ProjectModel& model) {
    std::vector<SummaryRow> rows;
    for (auto item : {SummaryItem::Photos, SummaryItem::Music, SummaryItem::Lyrics,
                      SummaryItem::Quality, SummaryItem::TvSystem, SummaryItem::AlbumLength,
                      SummaryItem::TextEffects, SummaryItem::PictureEffects})
        rows.push_back(summaryRow(model, item));
    return rows;
}

std::vector<SummaryItem> otherSettingsSummaryItems() {
    return {SummaryItem::Quality, SummaryItem::AlbumLength, SummaryItem::TextEffects,
            SummaryItem::PictureEffects, SummaryItem::TvSystem};
}

}  // namespace orvane
