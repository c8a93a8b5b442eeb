#include "base/project_model.h"

#include "base/error.h"

namespace orvane {
namespace {

constexpr EnumWord<LyricHAlign> kHAlignWords[] = {
    {LyricHAlign::Unset, "unset", ""},
    {LyricHAlign::Left, "left", "zuobian"},
    {LyricHAlign::Centre, "centre", "juzhong"},
    {LyricHAlign::Right, "right", "youbian"},
};
constexpr EnumWord<LyricVAlign> kVAlignWords[] = {
    {LyricVAlign::Unset, "unset", ""},
    {LyricVAlign::Top, "top", "shangmian"},
    {LyricVAlign::Middle, "middle", "zhongjian"},
    {LyricVAlign::Bottom, "bottom", "xiamian"},
};
constexpr EnumWord<KaraokeScript> kScriptWords[] = {
    {KaraokeScript::Simplified, "simplified", "jianti"},
    {KaraokeScript::Traditional, "traditional", "fanti"},
};
constexpr EnumWord<RunState> kRunStateWords[] = {
    {RunState::Stopped, "stopped", "tingzhi"},
    {RunState::Running, "running", "qidong"},
};
constexpr EnumWord<PhotoStep> kPhotoStepWords[] = {
    {PhotoStep::Pending, "pending", "jiancai_no"},
    {PhotoStep::Done, "done", "jiancai_yes"},
    {PhotoStep::Cleared, "cleared", ""},
};

// The words each flag column shows.
constexpr FlagWords kLyricBold{"cuti", "wu"};
constexpr FlagWords kLyricItalic{"xieti", "wu"};
constexpr FlagWords kLyricUnderline{"xiahuaxian", "wu"};
constexpr FlagWords kKaraokeFlag{"T", "F"};
constexpr FlagWords kTextBold{"cuti", "0"};
constexpr FlagWords kTextItalic{"xieti", "0"};
constexpr FlagWords kTextUnderline{"xiahuaxian", "0"};

using P = PhotoEntry;
const FieldDef<P> kPhotoFields[] = {
    field<&P::index>("index", "序号"),
    field<&P::location>("location", "位置"),
    field<&P::fileName>("fileName", "文件名"),
    field<&P::fileType>("fileType", "类型"),
    field<&P::width>("width", "相片宽度"),
    field<&P::height>("height", "相片高度"),
    field<&P::orientation>("orientation", "竖照or横照"),
    field<&P::templateFolder>("templateFolder", "模板文件夹"),
    field<&P::mainTemplateNo>("mainTemplateNo", "对应主模板编号"),
    field<&P::testImageName>("testImageName", "图片名称(测试使用)"),
    field<&P::templatePhotoCount>("templatePhotoCount", "对应模板所需照片数量"),
    field<&P::imageName>("imageName", "图片名称"),
    field<&P::templatePath>("templatePath", "模板地址"),
    field<&P::requiredWidth>("requiredWidth", "所需照片_宽度尺寸"),
    field<&P::requiredHeight>("requiredHeight", "所需照片_高度尺寸"),
    field<&P::slotWidth>("slotWidth", "模板_相片宽度"),
    field<&P::slotHeight>("slotHeight", "模板_相片高度"),
    field<&P::slotOrientation>("slotOrientation", "模板_竖照横照"),
    field<&P::slotJpgName>("slotJpgName", "模板_相片JPG名称"),
    field<&P::templateFrameCount>("templateFrameCount", "模板swf总帧数"),
    field<&P::thumbnailState>("thumbnailState", "suoluotu_wancheng"),
    field<&P::cropState>("cropState", "jiancai_wancheng"),
};

using T = TemplateEntry;
const FieldDef<T> kCatalogueFields[] = {
    field<&T::templateType>("templateType", "模板类型"),
    field<&T::category>("category", "模板分类"),
    field<&T::photoCount>("photoCount", "相片数量"),
    field<&T::photoWidth>("photoWidth", "相片宽度"),
    field<&T::photoHeight>("photoHeight", "相片高度"),
    field<&T::orientation>("orientation", "竖照横照"),
    field<&T::jpgName>("jpgName", "相片JPG名称"),
    field<&T::location>("location", "位置"),
    field<&T::categoryMark>("categoryMark", "分类标注"),
    field<&T::seqNo>("seqNo", "序号"),
    field<&T::frameCount>("frameCount", "模板swf总帧数"),
};
const FieldDef<T> kClassifiedFields[] = {
    field<&T::templateType>("templateType", "模板类型"),
    field<&T::category>("category", "模板分类"),
    field<&T::photoCount>("photoCount", "相片数量"),
    field<&T::photoWidth>("photoWidth", "相片宽度"),
    field<&T::photoHeight>("photoHeight", "相片高度"),
    field<&T::orientation>("orientation", "竖照横照"),
    field<&T::jpgName>("jpgName", "相片JPG名称"),
    field<&T::location>("location", "位置"),
    field<&T::categoryMark>("categoryMark", "分类标注"),
    field<&T::seqNo>("seqNo", "序号"),
    field<&T::landscapeCount>("landscapeCount", "横照几张"),
    field<&T::portraitCount>("portraitCount", "竖照几张"),
    field<&T::frameCount>("frameCount", "模板swf总帧数"),
};
const FieldDef<T> kPoolFields[] = {
    field<&T::templateType>("templateType", "模板类型"),
    field<&T::category>("category", "模板分类"),
    field<&T::photoCount>("photoCount", "相片数量"),
    field<&T::photoWidth>("photoWidth", "相片宽度"),
    field<&T::photoHeight>("photoHeight", "相片高度"),
    field<&T::orientation>("orientation", "竖照横照"),
    field<&T::jpgName>("jpgName", "相片JPG名称"),
    field<&T::location>("location", "位置"),
    field<&T::classifiedRow>("classifiedRow", "模板所在序号"),
    field<&T::seqNo>("seqNo", "序号"),
    field<&T::landscapeCount>("landscapeCount", "横照几张"),
    field<&T::portraitCount>("portraitCount", "竖照几张"),
    field<&T::frameCount>("frameCount", "模板swf总帧数"),
};

using M = MusicEntry;
const FieldDef<M> kMusicFields[] = {
    field<&M::index>("index", "序号"),
    field<&M::fileName>("fileName", "音乐文件名"),
    field<&M::fileType>("fileType", "类型"),
    field<&M::location>("location", "位置"),
    field<&M::duration>("duration", "音乐时间"),
    field<&M::frameCount>("frameCount", "需要帧数"),
    field<&M::boundLyric>("boundLyric", "绑定歌词"),
    field<&M::boundLyricName>("boundLyricName", "绑定歌词名称"),
};

using L = LyricEntry;
const FieldDef<L> kLyricFields[] = {
    field<&L::index>("index", "序号"),
    field<&L::fileName>("fileName", "歌词文件名"),
    field<&L::fileType>("fileType", "类型"),
    field<&L::location>("location", "位置"),
    field<&L::boundMusic>("boundMusic", "绑定音乐"),
    field<&L::boundMusicName>("boundMusicName", "绑定音乐名称"),
    field<&L::colorName>("colorName", "歌词颜色"),
    field<&L::colorValue>("colorValue", "歌词颜色(数字)"),
    field<&L::fontSize>("fontSize", "歌词大小"),
    field<&L::fontName>("fontName", "歌词字体"),
    flagField<&L::bold, kLyricBold>("bold", "歌词粗体"),
    flagField<&L::italic, kLyricItalic>("italic", "歌词斜体"),
    flagField<&L::underline, kLyricUnderline>("underline", "歌词下划线"),
    field<&L::hAlign>("hAlign", "歌词左边居中右边"),
    field<&L::vAlign>("vAlign", "歌词上面中间下面"),
};

using K = KaraokeEntry;
const FieldDef<K> kKaraokeFields[] = {
    field<&K::index>("index", "序号"),
    field<&K::name>("name", "歌词名称"),
    field<&K::colorName>("colorName", "歌词颜色"),
    field<&K::fillColorName>("fillColorName", "渲染颜色"),
    field<&K::fontName>("fontName", "歌词字体"),
    field<&K::fontSize>("fontSize", "歌词大小"),
    flagField<&K::bold, kKaraokeFlag>("bold", "粗体"),
    flagField<&K::italic, kKaraokeFlag>("italic", "斜体"),
    flagField<&K::underline, kKaraokeFlag>("underline", "下划线"),
    field<&K::location>("location", "歌词位置"),
    field<&K::colorValue>("colorValue", "歌词颜色(数字)"),
    field<&K::fillColorValue>("fillColorValue", "渲染颜色(数字)"),
    field<&K::script>("script", "简体或繁体"),
};

using X = TextEffect;
const FieldDef<X> kTextEffectFields[] = {
    field<&X::text>("text", "文字"),
    field<&X::startTime>("startTime", "开始时间"),
    field<&X::endTime>("endTime", "结束时间"),
    field<&X::runState>("runState", "启动"),
    field<&X::motionKey>("motionKey", "文字装饰特效"),
    field<&X::x>("x", "x_zhi"),
    field<&X::y>("y", "y_zhi"),
    field<&X::effectName>("effectName", "文字特效名称"),
    field<&X::colorName>("colorName", "字体颜色"),
    field<&X::fontName>("fontName", "字体名称"),
    field<&X::fontSize>("fontSize", "字体大小"),
    flagField<&X::bold, kTextBold>("bold", "粗体"),
    flagField<&X::italic, kTextItalic>("italic", "斜体"),
    flagField<&X::underline, kTextUnderline>("underline", "下划线"),
    field<&X::colorValue>("colorValue", "字体颜色(数字)"),
};

using E = PictureEffect;
const FieldDef<E> kPictureEffectFields[] = {
    field<&E::frames>("frames", "帧数"),
    field<&E::startTime>("startTime", "开始时间"),
    field<&E::endTime>("endTime", "结束时间"),
    field<&E::runState>("runState", "启动"),
    field<&E::decoration>("decoration", "图片装饰特效"),
    field<&E::seqNo>("seqNo", "顺序号"),
    field<&E::placement>("placement", "显示位置"),
};

}  // namespace

template <>
std::span<const EnumWord<LyricHAlign>> enumWords<LyricHAlign>() {
    return kHAlignWords;
}
template <>
std::span<const EnumWord<LyricVAlign>> enumWords<LyricVAlign>() {
    return kVAlignWords;
}
template <>
std::span<const EnumWord<KaraokeScript>> enumWords<KaraokeScript>() {
    return kScriptWords;
}
template <>
std::span<const EnumWord<RunState>> enumWords<RunState>() {
    return kRunStateWords;
}

template <>
std::span<const EnumWord<PhotoStep>> enumWords<PhotoStep>() {
    return kPhotoStepWords;
}

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
