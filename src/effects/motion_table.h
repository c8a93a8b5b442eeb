#pragma once
// The motion vocabulary of moving texts: the seven motions a text can take
// across the picture (MotionTable), the thirty effect names the text editor
// offers, and which motion each name stands for. Pure data; any thread.

#include <QString>
#include <QStringList>
#include <vector>

namespace orvane {

// The text editor's preview area, a miniature of a 1920-pixel-wide frame.
inline constexpr int kTextPreviewWidth = 513;
inline constexpr int kTextPreviewHeight = 289;

inline const QString kMotionTopLeftToBottomRight = QStringLiteral("zuoshangxiangyouxia");
inline const QString kMotionLeftToRight = QStringLiteral("congzuoxiangyou");
inline const QString kMotionTopToBottom = QStringLiteral("congshangxiangxia");
inline const QString kMotionRightToLeft = QStringLiteral("congyouxiangzuo");
inline const QString kMotionBottomLeftToTopRight = QStringLiteral("zuoxiadaoyoushang");
inline const QString kMotionTopRightToBottomLeft = QStringLiteral("youshangdaozuoxia");
inline const QString kMotionBottomRightToTopLeft = QStringLiteral("youxiadaozuoshang");

struct MotionRow {
    QString caption;    // "左上向右下", …
    QString motionKey;  // "zuoshangxiangyouxia", …
    QString x;          // fixed left of a top-to-bottom text, else "0"
    QString y;          // fixed top of a left-right text, else "0"
};

// The seven rows in their fixed order. The fixed top of the left-right rows
// is half the area's width and the fixed left of the top-to-bottom row half
// its height (256 and 144 in the preview area): these are the stored values.
std::vector<MotionRow> motionTable(int areaWidth = kTextPreviewWidth,
                                   int areaHeight = kTextPreviewHeight);

bool isMotionKey(const QString& key);

// The thirty effect names of the editor's list, in order.
const QStringList& effectNameList();

// The MotionTable row that an effect name stands for: the first name is row 0;
// every other name gets the motion closest to the direction it names
// ("从左下到右下" moves left to right). -1 for a name not in the list.
int motionRowForEffectName(const QString& effectName);

}  // namespace orvane
