#pragma once
// Picture effects: a decoration picture drawn over the album frames for a
// span of album time. What each column of a PictureEffect row holds:
//
//   frames      "帧数"   the span's length in album frames, (end − start) × 25;
//                       0 when the span runs to the album's end. Written
//                       with the row for the list; the renderer uses the times.
//   startTime   "开始时间" "mm:ss" on the album clock: the first frame of that
//                       second is the first frame that shows the picture
//   endTime     "结束时间" "mm:ss" on the album clock: from the first frame of
//                       that second on, the picture is gone; "wu" = to the end
//   runState    "启动"   stopped for a new row; the renderer keeps its own
//                       copy and holds it at "qidong" exactly while it shows it
//   decoration  "图片装饰特效" the full path of the picture file (PNG with alpha,
//                       JPEG, BMP, …), drawn at its own pixel size on a
//                       1920 × 1080 frame (scaled with the frame), alpha kept
//   seqNo       "顺序号"  1-based row number; later rows are drawn over earlier ones
//   placement   "显示位置" "x,y": the picture's top-left corner on a 1920 × 1080 frame
//
// Pure functions; any thread.

#include <QPoint>
#include <QString>

#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

// The album frames [startFrame, endFrame) in which a row's picture shows;
// endFrame −1 means to the album's end.
struct PictureEffectSpan {
    QString file;
    int startFrame = 0;
    int endFrame = -1;
    QPoint placement;

    bool showsAt(int albumFrame) const {
        return albumFrame >= startFrame && (endFrame < 0 || albumFrame < endFrame);
    }
};

// Reads a row; fails with a message naming the row's file when a time or the
// placement is not in its form or the span is empty.
Result<PictureEffectSpan> pictureEffectSpan(const PictureEffect& row);

// A new row for `file` shown from `startTime` to `endTime` ("mm:ss", or "wu"
// for the end of the album) at `placement` ("x,y"); `seqNo` is its 1-based
// row number. Fails with the message of pictureEffectSpan(); the file itself
// is read by the renderer.
Result<PictureEffect> makePictureEffect(const QString& file, const QString& startTime,
                                        const QString& endTime, const QString& placement,
                                        int seqNo);

}  // namespace orvane
