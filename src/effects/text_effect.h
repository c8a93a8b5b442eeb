#pragma once
// The values of a TextEffect row and how a row is made and drawn.
//
//   text        the line shown
//   startTime   "mm:ss" (minutes and seconds 00–59): the album time at which
//               the text enters; in the album the clock is the album's own,
//               so "01:30" enters 90 seconds into the album
//   endTime     "暂无": no motion reads it (a text runs until it leaves)
//   runState    stopped (waiting or finished) or running (moving)
//   motionKey   one of the seven MotionTable keys
//   x, y        the motion row's fixed left / top in preview-area pixels
//   effectName  the effect name chosen in the editor (display only)
//   colorName   "clWhite", … ; colorValue its stored number (text_colors.h)
//   fontName    face name; fontSize 10–40 at the preview's 513-pixel scale
//   bold, italic, underline   flags (shown "cuti" / "xieti" / "xiahuaxian", else "0")
//
// Pure functions; the font functions need a QGuiApplication.

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

inline const QString kTextEndTimeUnused = QStringLiteral("暂无");

// What the user chose for a new text. Either `effectName` (one of
// effectNameList()) or, when it is empty, `motionKey` names the motion.
struct TextEffectChoice {
    QString text;
    QString startTime;  // "mm:ss"
    QString effectName;
    QString motionKey;
    QString colorName = QStringLiteral("clWhite");
    QString fontName = QStringLiteral("黑体");
    QString fontSize = QStringLiteral("10");
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// A new row, stopped, with endTime "暂无", or the message of the
// first check that fails: "没有输入文字内容！", "(文字出现时间)不能为空！",
// "(文字特效)不能为空！", "(文字字体)不能为空！", "(文字大小)不能为空！", or an
// unknown colour name.
Result<TextEffect> makeTextEffect(const TextEffectChoice& choice);

// "mm:ss" with two-digit minutes and seconds 00–59, as whole seconds.
std::optional<int> parseMinuteSecond(const QString& text);

// fontSize × frameWidth div 513 (the preview area is a miniature of a frame
// 1920 pixels wide).
int textEffectFontSize(const TextEffect& row, int frameWidth = 1920);
QFont textEffectFont(const TextEffect& row, int frameWidth = 1920);
// The colour of colorValue; white when it is not a number.
QColor textEffectColor(const TextEffect& row);

}  // namespace orvane
