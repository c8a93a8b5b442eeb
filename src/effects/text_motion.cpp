#include "effects/text_motion.h"

#include "base/album_time.h"
#include "effects/motion_table.h"

namespace orvane {

QPoint motionStartPosition(const QString& key, QSize label, QSize area, QPoint fixed,
                           QPoint current) {
    const int w = label.width();
    const int h = label.height();
    if (key == kMotionTopLeftToBottomRight) return {-w, -h};
    if (key == kMotionLeftToRight) return {-w, fixed.y()};
    if (key == kMotionTopToBottom) return {fixed.x(), -h};
    if (key == kMotionRightToLeft) return {area.width(), fixed.y()};
    if (key == kMotionBottomLeftToTopRight) return {-w, area.height()};
    if (key == kMotionTopRightToBottomLeft) return {area.width(), -h};
    if (key == kMotionBottomRightToTopLeft) return {area.width(), area.height()};
    return current;
}

QPoint motionStep(const QString& key, QPoint p, QPoint fixed, int s) {
    // The diagonal from the top left always goes down by 2, whatever the step.
    if (key == kMotionTopLeftToBottomRight) return {p.x() + s, p.y() + 2};
    if (key == kMotionLeftToRight) return {p.x() + s, fixed.y()};
    if (key == kMotionTopToBottom) return {fixed.x(), p.y() + s};
    if (key == kMotionRightToLeft) return {p.x() - s, fixed.y()};
    if (key == kMotionBottomLeftToTopRight) return {p.x() + s, p.y() - s};
    if (key == kMotionTopRightToBottomLeft) return {p.x() - s, p.y() + s};
    if (key == kMotionBottomRightToTopLeft) return {p.x() - s, p.y() - s};
    return p;
}

bool motionFinished(QPoint position, QSize area) {
    return position.x() > area.width() || position.y() > area.height();
}

void motionTick(MovingText& text, const QString& clock, QSize area, int stepWidth) {
    if (!isMotionKey(text.motionKey)) return;
    if (clock == text.startTime && text.runState == kTextStopped) {
        text.position = motionStartPosition(text.motionKey, text.label, area, text.fixed);
        text.runState = kTextMoving;
    }
    if (text.runState == kTextMoving) {
        text.position = motionStep(text.motionKey, text.position, text.fixed, stepWidth);
        if (motionFinished(text.position, area)) text.runState = kTextStopped;
    }
}

void motionTick(std::vector<MovingText>& texts, const QString& clock, QSize area, int stepWidth) {
    for (MovingText& text : texts) motionTick(text, clock, area, stepWidth);
}

TextMotionPreview::TextMotionPreview(std::vector<MovingText> texts, Mode mode, int selected,
                                     QSize area, int stepWidth)
    : m_texts(std::move(texts)),
      m_mode(mode),
      m_selected(selected),
      m_area(area),
      m_stepWidth(stepWidth) {
    for (MovingText& t : m_texts) t.runState = kTextStopped;
    if (m_mode == Mode::Single &&
        (m_selected < 0 || m_selected >= static_cast<int>(m_texts.size())))
        m_ended = true;
}

QString TextMotionPreview::clock() const { return frameClockText(m_ticks); }

bool TextMotionPreview::tick() {
    if (m_ended) return false;
    ++m_ticks;
    const QString now = clock();
    if (m_mode == Mode::Single)
        motionTick(m_texts[static_cast<std::size_t>(m_selected)], now, m_area, m_stepWidth);
    else
        motionTick(m_texts, now, m_area, m_stepWidth);

    int stopped = 0;
    for (const MovingText& t : m_texts) {
        if (t.running())
            m_hasStarted = true;
        else
            ++stopped;
    }
    if (m_hasStarted && stopped == static_cast<int>(m_texts.size())) {
        // Stopping the preview puts every text back at rest.
        for (MovingText& t : m_texts) t.runState = kTextStopped;
        m_ended = true;
    }
    return !m_ended;
}

}  // namespace orvane
