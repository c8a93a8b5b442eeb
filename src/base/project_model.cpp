#include "base/project_model.h"

#include "base/error.h"

namespace orvane {
namespace {

using P = PhotoEntry;
const FieldDef<P> kPhotoFields[] = {
    {"index", "序号", &P::index},
    {"location", "位置", &P::location},
    {"fileName", "文件名", &P::fileName},
    {"fileType", "类型", &P::fileType},
    {"width", "相片宽度", &P::width},
    {"height", "相片高度", &P::height},
    {"orientation", "竖照or横照", &P::orientation},
    {"templateFolder", "模板文件夹", &P::templateFolder},
    {"mainTemplateNo", "对应主模板编号", &P::mainTemplateNo},
    {"testImageName", "图片名称(测试使用)", &P::testImageName},
    {"templatePhotoCount", "对应模板所需照片数量", &P::templatePhotoCount},
    {"imageName", "图片名称", &P::imageName},
    {"templatePath", "模板地址", &P::templatePath},
    {"requiredWidth", "所需照片_宽度尺寸", &P::requiredWidth},
    {"requiredHeight", "所需照片_高度尺寸", &P::requiredHeight},
    {"slotWidth", "模板_相片宽度", &P::slotWidth},
    {"slotHeight", "模板_相片高度", &P::slotHeight},
    {"slotOrientation", "模板_竖照横照", &P::slotOrientation},
    {"slotJpgName", "模板_相片JPG名称", &P::slotJpgName},
    {"templateFrameCount", "模板swf总帧数", &P::templateFrameCount},
    {"thumbnailState", "suoluotu_wancheng", &P::thumbnailState},
    {"cropState", "jiancai_wancheng", &P::cropState},
};

using T = TemplateEntry;
const FieldDef<T> kCatalogueFields[] = {
    {"templateType", "模板类型", &T::templateType},  {"category", "模板分类", &T::category},
    {"photoCount", "相片数量", &T::photoCount},      {"photoWidth", "相片宽度", &T::photoWidth},
    {"photoHeight", "相片高度", &T::photoHeight},    {"orientation", "竖照横照", &T::orientation},
    {"jpgName", "相片JPG名称", &T::jpgName},         {"location", "位置", &T::location},
    {"categoryMark", "分类标注", &T::categoryMark},  {"seqNo", "序号", &T::seqNo},
    {"frameCount", "模板swf总帧数", &T::frameCount},
};
const FieldDef<T> kClassifiedFields[] = {
    {"templateType", "模板类型", &T::templateType},
    {"category", "模板分类", &T::category},
    {"photoCount", "相片数量", &T::photoCount},
    {"photoWidth", "相片宽度", &T::photoWidth},
    {"photoHeight", "相片高度", &T::photoHeight},
    {"orientation", "竖照横照", &T::orientation},
    {"jpgName", "相片JPG名称", &T::jpgName},
    {"location", "位置", &T::location},
    {"categoryMark", "分类标注", &T::categoryMark},
    {"seqNo", "序号", &T::seqNo},
    {"landscapeCount", "横照几张", &T::landscapeCount},
    {"portraitCount", "竖照几张", &T::portraitCount},
    {"frameCount", "模板swf总帧数", &T::frameCount},
};
const FieldDef<T> kPoolFields[] = {
    {"templateType", "模板类型", &T::templateType},
    {"category", "模板分类", &T::category},
    {"photoCount", "相片数量", &T::photoCount},
    {"photoWidth", "相片宽度", &T::photoWidth},
    {"photoHeight", "相片高度", &T::photoHeight},
    {"orientation", "竖照横照", &T::orientation},
    {"jpgName", "相片JPG名称", &T::jpgName},
    {"location", "位置", &T::location},
    {"classifiedRow", "模板所在序号", &T::classifiedRow},
    {"seqNo", "序号", &T::seqNo},
    {"landscapeCount", "横照几张", &T::landscapeCount},
    {"portraitCount", "竖照几张", &T::portraitCount},
    {"frameCount", "模板swf总帧数", &T::frameCount},
};

using M = MusicEntry;
const FieldDef<M> kMusicFields[] = {
    {"index", "序号", &M::index},
    {"fileName", "音乐文件名", &M::fileName},
    {"fileType", "类型", &M::fileType},
    {"location", "位置", &M::location},
    {"duration", "音乐时间", &M::duration},
    {"frameCount", "需要帧数", &M::frameCount},
    {"boundLyric", "绑定歌词", &M::boundLyric},
    {"boundLyricName", "绑定歌词名称", &M::boundLyricName},
};

using L = LyricEntry;
const FieldDef<L> kLyricFields[] = {
    {"index", "序号", &L::index},
    {"fileName", "歌词文件名", &L::fileName},
    {"fileType", "类型", &L::fileType},
    {"location", "位置", &L::location},
    {"boundMusic", "绑定音乐", &L::boundMusic},
    {"boundMusicName", "绑定音乐名称", &L::boundMusicName},
    {"colorName", "歌词颜色", &L::colorName},
    {"colorValue", "歌词颜色(数字)", &L::colorValue},
    {"fontSize", "歌词大小", &L::fontSize},
    {"fontName", "歌词字体", &L::fontName},
    {"bold", "歌词粗体", &L::bold},
    {"italic", "歌词斜体", &L::italic},
    {"underline", "歌词下划线", &L::underline},
    {"hAlign", "歌词左边居中右边", &L::hAlign},
    {"vAlign", "歌词上面中间下面", &L::vAlign},
};

using K = KaraokeEntry;
const FieldDef<K> kKaraokeFields[] = {
    {"index", "序号", &K::index},
    {"name", "歌词名称", &K::name},
    {"colorName", "歌词颜色", &K::colorName},
    {"fillColorName", "渲染颜色", &K::fillColorName},
    {"fontName", "歌词字体", &K::fontName},
    {"fontSize", "歌词大小", &K::fontSize},
    {"bold", "粗体", &K::bold},
    {"italic", "斜体", &K::italic},
    {"underline", "下划线", &K::underline},
    {"location", "歌词位置", &K::location},
    {"colorValue", "歌词颜色(数字)", &K::colorValue},
    {"fillColorValue", "渲染颜色(数字)", &K::fillColorValue},
    {"script", "简体或繁体", &K::script},
};

using X = TextEffect;
const FieldDef<X> kTextEffectFields[] = {
    {"text", "文字", &X::text},
    {"startTime", "开始时间", &X::startTime},
    {"endTime", "结束时间", &X::endTime},
    {"runState", "启动", &X::runState},
    {"motionKey", "文字装饰特效", &X::motionKey},
    {"x", "x_zhi", &X::x},
    {"y", "y_zhi", &X::y},
    {"effectName", "文字特效名称", &X::effectName},
    {"colorName", "字体颜色", &X::colorName},
    {"fontName", "字体名称", &X::fontName},
    {"fontSize", "字体大小", &X::fontSize},
    {"bold", "粗体", &X::bold},
    {"italic", "斜体", &X::italic},
    {"underline", "下划线", &X::underline},
    {"colorValue", "字体颜色(数字)", &X::colorValue},
};

using E = PictureEffect;
const FieldDef<E> kPictureEffectFields[] = {
    {"frames", "帧数", &E::frames},
    {"startTime", "开始时间", &E::startTime},
    {"endTime", "结束时间", &E::endTime},
    {"runState", "启动", &E::runState},
    {"decoration", "图片装饰特效", &E::decoration},
    {"seqNo", "顺序号", &E::seqNo},
    {"placement", "显示位置", &E::placement},
};

}  // namespace

std::span<const FieldDef<PhotoEntry>> photoFields() { return kPhotoFields; }
std::span<const FieldDef<PhotoEntry>> photoWorkingFields() {
    return std::span<const FieldDef<PhotoEntry>>(kPhotoFields).first(20);
}
std::span<const FieldDef<TemplateEntry>> catalogueFields() { return kCatalogueFields; }
std::span<const FieldDef<TemplateEntry>> classifiedTemplateFields() { return kClassifiedFields; }
std::span<const FieldDef<TemplateEntry>> poolTemplateFields() { return kPoolFields; }
std::span<const FieldDef<MusicEntry>> musicFields() { return kMusicFields; }
std::span<const FieldDef<LyricEntry>> lyricFields() { return kLyricFields; }
std::span<const FieldDef<KaraokeEntry>> karaokeFields() { return kKaraokeFields; }
std::span<const FieldDef<TextEffect>> textEffectFields() { return kTextEffectFields; }
std::span<const FieldDef<PictureEffect>> pictureEffectFields() { return kPictureEffectFields; }

int fieldToInt(const QString& text, const char* what) {
    bool ok = false;
    int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw OrvaneError(QStringLiteral("field %1 holds \"%2\", not a number")
                              .arg(QString::fromUtf8(what), text));
    return value;
}

QString photoOrientationFor(int width, int height) {
    return width >= height ? QStringLiteral("heng_zhao") : QStringLiteral("shu_zhao");
}

bool isBound(const MusicEntry& song, const LyricEntry& lyric) {
    return song.boundLyric != kNone && lyric.boundMusic != kNone &&
           song.boundLyric == lyric.boundMusic;
}

}  // namespace orvane
