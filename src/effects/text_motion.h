#pragma once
// The motion model of moving texts, shared by the text editor's preview and
// the album overlays. Once per tick (a preview timer tick, or an album frame)
// each text, in table order:
//   1. starts when the clock text equals its startTime while it is stopped:
//      its label is put at the motion's start position, outside the area;
//   2. moves by the step width while it runs (a text started in this tick
//      takes its first step at once);
//   3. stops when its left passes the area's right edge or its top passes the
//      bottom edge. Texts leaving through the left or top edge keep running.
// The area, the label sizes and the fixed positions are all in the same
// pixels (513 × 289 in the preview, the 1920 × 1080 frame in the album).
// Pure functions over values; any thread.

#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

namespace orvane {

inline const QString kTextStopped = QStringLiteral("tingzhi");
inline const QString kTextMoving = QStringLiteral("qidong");
// Pixels a running text moves per tick.
inline constexpr int kTextStepWidth = 3;

struct MovingText {
    QString startTime;  // "mm:ss" of the clock at which the text enters
    QString motionKey;  // one of the seven MotionTable keys
    QPoint fixed;       // the row's x (top-to-bottom) and y (left-right), in area pixels
    QSize label;        // the label's size
    QPoint position;    // the label's top-left corner
    QString runState = kTextStopped;

    bool running() const { return runState == kTextMoving; }
};

// Where a label of `label` size enters `area`; nullopt-like: an unknown key
// returns the current position unchanged (see motionTick).
QPoint motionStartPosition(const QString& motionKey, QSize label, QSize area, QPoint fixed,
                           QPoint current = {});
// One step from `position`.
QPoint motionStep(const QString& motionKey, QPoint position, QPoint fixed, int stepWidth);
// True once the label has gone out through the right or bottom edge.
bool motionFinished(QPoint position, QSize area);

// One tick of the model for one text. A text with an unknown motion key never
// starts (it would otherwise stay at the area's corner for good).
void motionTick(MovingText& text, const QString& clock, QSize area, int stepWidth = kTextStepWidth);
void motionTick(std::vector<MovingText>& texts, const QString& clock, QSize area,
                int stepWidth = kTextStepWidth);

// The editor's preview run: its clock counts ticks (25 per clock second), and
// each tick runs the model over the selected text ("单个预览") or all texts
// ("全部预览"). The preview ends at the first tick after which some text has
// been seen running and every text is stopped.
class TextMotionPreview {
   public:
    enum class Mode { Single, All };

    TextMotionPreview(std::vector<MovingText> texts, Mode mode, int selected = 0,
                      QSize area = {513, 289}, int stepWidth = kTextStepWidth);

    // One tick: clock, motion, end check. Returns false once the preview has
    // ended (further ticks do nothing).
    bool tick();

    bool ended() const { return m_ended; }
    int ticks() const { return m_ticks; }
    // "mm:ss" of the tick counter; "00:00" at rest.
    QString clock() const;
    const std::vector<MovingText>& texts() const { return m_texts; }

   private:
    std::vector<MovingText> m_texts;
    Mode m_mode;
    int m_selected;
    QSize m_area;
    int m_stepWidth;
    int m_ticks = 0;
    bool m_hasStarted = false;
    bool m_ended = false;
};

}  // namespace orvane
