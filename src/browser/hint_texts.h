#pragma once
// What the hint windows say. The pane hints describe the photo under the
// mouse (the song and lyric hints come from audio/media_panes.h); the text
// hint describes the button of the main window under the mouse. Pure
// functions, any thread.

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "base/project_model.h"

namespace orvane {

// Name, type in upper case, "width*height", "横照相片"/"竖照相片", row number.
QStringList photoHintTexts(const PhotoEntry& photo, int row);

// The buttons of the main window by where they stand: the ones of the
// panes carry the same captions ("图标", "删除", …) in each pane; the title
// bar's buttons are named "关闭", "全屏", "还原" and "开始布局".
enum class HintGroup { Main, Photos, Music, Lyrics, TitleBar };

// The one-line description shown while the mouse is over a button or label;
// nothing for a caption without one.
std::optional<QString> buttonHintText(HintGroup group, const QString& caption);

// The pane hint stands below and left of the cursor.
QPoint paneHintPosition(QPoint cursor);

// The text hint also stands at (cursor x − 20, cursor y + 10) but stays on
// the screen: at 8 when that is negative, left of the right edge by 5, and
// above the cursor when it would pass the bottom.
QPoint textHintPosition(QPoint cursor, QSize window, QSize screen);

}  // namespace orvane
