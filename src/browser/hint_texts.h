#pragma once
// What the hint windows say. The pane hints describe the photo under the
// mouse (the song and lyric hints come from audio/media_panes.h); the text
// hint stands near the button of the main window under the mouse (its text
// is the button's hint). Pure functions, any thread.

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include "base/project_model.h"

namespace orvane {

// Name, type in upper case, "width*height", "横照相片"/"竖照相片", row number.
QStringList photoHintTexts(const PhotoEntry& photo, int row);

// The pane hint stands below and left of the cursor.
QPoint paneHintPosition(QPoint cursor);

// The text hint also stands at (cursor x − 20, cursor y + 10) but stays on
// the screen: at 8 when that is negative, left of the right edge by 5, and
// above the cursor when it would pass the bottom.
QPoint textHintPosition(QPoint cursor, QSize window, QSize screen);

}  // namespace orvane
