#include "app/album_settings.h"

#include "app/project_model.h"

namespace orvane {

QString landscapeCropCaption(LandscapeCrop crop) {
    return crop == LandscapeCrop::FullScreen ? QStringLiteral("横照片剪裁成全屏效果")
                                             : QStringLiteral("横照片剪裁成模板特效默认效果");
}

QString portraitCropCaption(PortraitCrop crop) {
    return crop == PortraitCrop::ZoomedPart ? QStringLiteral("竖照片剪裁成局部放大效果")
                                            : QStringLiteral("竖照片使用模板特效默认效果");
}

std::vector<OutputSize> outputSizes(const QString& outputType) {
    std::vector<OutputSize> sizes = {
        {320, 176}, {464, 256}, {640, 368}, {800, 480}, {1280, 720},
    };
    if (outputType != QLatin1String("VCD")) {
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
    settings.outputWidth = QString::number(sizes[static_cast<std::size_t>(index)].width);
    settings.outputHeight = QString::number(sizes[static_cast<std::size_t>(index)].height);
    return true;
}

std::vector<QString> imageSequenceFormats() {
    return {QStringLiteral("JPG"), QStringLiteral("BMP"), QStringLiteral("TGA"),
            QStringLiteral("PCX")};
}

QString qualityCaption(const QString& quality) {
    if (quality == QLatin1String("yiban_huazhi")) return QStringLiteral("一般画质");
    if (quality == QLatin1String("gaoqing_huazhi")) return QStringLiteral("高清画质");
    return {};
}

QString tvSystemCaption(const QString& tvSystem) {
    if (tvSystem == QLatin1String("PAL")) return QStringLiteral("PAL制式");
    if (tvSystem == QLatin1String("NTSC")) return QStringLiteral("NTSC制式");
    return {};
}

QString syncModeCaption(const QString& syncMode) {
    if (syncMode == QLatin1String("sui_zhaopian_tongbu")) return QStringLiteral("相片为准");
    if (syncMode == QLatin1String("sui_yinyue_tongbu")) return QStringLiteral("音乐为准");
    return {};
}

std::vector<SummaryRow> summaryRows(const ProjectModel& model) {
    const AlbumSettings& s = model.settings;
    return {
        {QStringLiteral("相片数量:"), QString::number(model.photos.size()), QStringLiteral("张")},
        {QStringLiteral("音乐数量:"), QString::number(model.music.size()), QStringLiteral("个")},
        {QStringLiteral("歌词数量:"), QString::number(model.lyrics.size()), QStringLiteral("个")},
        {QStringLiteral("画面质量:"), qualityCaption(s.quality), {}},
        {QStringLiteral("电视制式:"), tvSystemCaption(s.tvSystem), {}},
        {QStringLiteral("相册长度:"), syncModeCaption(s.syncMode), {}},
        {QStringLiteral("文字特效:"), QString::number(model.textEffects.size()),
         QStringLiteral("个")},
        {QStringLiteral("画面特效:"), QString::number(model.pictureEffects.size()),
         QStringLiteral("个")},
    };
}

}  // namespace orvane
