#include "effects/text_colors.h"

#include <array>

namespace orvane {

namespace {

constexpr int kSystemColorFlag = static_cast<int>(0xFF000000u);

struct SystemColor {
    const char* name;
    int code;
    unsigned rgb;  // 0xRRGGBB, the platform's default
};

constexpr std::array<SystemColor, 30> kSystemColors = {{
    {"clScrollBar", 0, 0xC8C8C8},
    {"clBackground", 1, 0x000000},
    {"clActiveCaption", 2, 0x99B4D1},
    {"clInactiveCaption", 3, 0xBFCDDB},
    {"clMenu", 4, 0xF0F0F0},
    {"clWindow", 5, 0xFFFFFF},
    {"clWindowFrame", 6, 0x646464},
    {"clMenuText", 7, 0x000000},
    {"clWindowText", 8, 0x000000},
    {"clCaptionText", 9, 0x000000},
    {"clActiveBorder", 10, 0xB4B4B4},
    {"clInactiveBorder", 11, 0xF4F7FC},
    {"clAppWorkSpace", 12, 0xABABAB},
    {"clHighlight", 13, 0x0078D7},
    {"clHighlightText", 14, 0xFFFFFF},
    {"clBtnFace", 15, 0xF0F0F0},
    {"clBtnShadow", 16, 0xA0A0A0},
    {"clGrayText", 17, 0x6D6D6D},
    {"clBtnText", 18, 0x000000},
    {"clInactiveCaptionText", 19, 0x000000},
    {"clBtnHighlight", 20, 0xFFFFFF},
    {"cl3DDkShadow", 21, 0x696969},
    {"cl3DLight", 22, 0xE3E3E3},
    {"clInfoText", 23, 0x000000},
    {"clInfoBk", 24, 0xFFFFE1},
    {"clHotLight", 26, 0x0066CC},
    {"clGradientActiveCaption", 27, 0xB9D1EA},
    {"clGradientInactiveCaption", 28, 0xD7E4F2},
    {"clMenuHighlight", 29, 0x3399FF},
    {"clMenuBar", 30, 0xF0F0F0},
}};

}  // namespace

const std::vector<NamedColor>& textColorList() {
    static const std::vector<NamedColor> list = [] {
        std::vector<NamedColor> out = {
            {QStringLiteral("clBlack"), 0x000000},      {QStringLiteral("clMaroon"), 0x000080},
            {QStringLiteral("clGreen"), 0x008000},      {QStringLiteral("clOlive"), 0x008080},
            {QStringLiteral("clNavy"), 0x800000},       {QStringLiteral("clPurple"), 0x800080},
            {QStringLiteral("clTeal"), 0x808000},       {QStringLiteral("clGray"), 0x808080},
            {QStringLiteral("clSilver"), 0xC0C0C0},     {QStringLiteral("clRed"), 0x0000FF},
            {QStringLiteral("clLime"), 0x00FF00},       {QStringLiteral("clYellow"), 0x00FFFF},
            {QStringLiteral("clBlue"), 0xFF0000},       {QStringLiteral("clFuchsia"), 0xFF00FF},
            {QStringLiteral("clAqua"), 0xFFFF00},       {QStringLiteral("clWhite"), 0xFFFFFF},
            {QStringLiteral("clMoneyGreen"), 0xC0DCC0}, {QStringLiteral("clSkyBlue"), 0xF0CAA6},
            {QStringLiteral("clCream"), 0xF0FBFF},      {QStringLiteral("clMedGray"), 0xA4A0A0},
        };
        for (const SystemColor& c : kSystemColors)
            out.push_back({QString::fromLatin1(c.name), kSystemColorFlag | c.code});
        return out;
    }();
    return list;
}

std::optional<int> colorValueForName(const QString& name) {
    for (const NamedColor& c : textColorList())
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) return c.value;
    return std::nullopt;
}

QColor colorForValue(int value) {
    if (value >= 0) return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    const int code = value & 0xFF;
    for (const SystemColor& c : kSystemColors)
        if (c.code == code) return QColor::fromRgb(c.rgb);
    return Qt::black;
}

std::optional<QColor> colorForValueText(const QString& value) {
    bool ok = false;
    const int v = value.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return colorForValue(v);
}

}  // namespace orvane
