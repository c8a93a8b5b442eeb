#include "audio/karaoke_timeline.h"

#include <QFontMetrics>
#include <cmath>

#include "base/album_time.h"

namespace orvane {

KaraokeGeometry albumKaraokeGeometry(int previewLeft, int previewATop, int previewBTop,
                                     int previewWidth, int previewHeight) {
    return {previewLeft * 1920 / previewWidth, previewATop * 1080 / previewHeight,
            previewBTop * 1080 / previewHeight, 1920};
}

KaraokePanelRows previewKaraokeRows(int albumLeft, int albumATop, int albumBTop, int previewWidth,
                                    int previewHeight) {
    const auto scaled = [](int value, int to, int from) {
        return static_cast<int>(std::lround(double(value) * to / from));
    };
    return {scaled(albumLeft, previewWidth, 1920), scaled(albumATop, previewHeight, 1080),
            scaled(albumBTop, previewHeight, 1080)};
}

KaraokeTimeline::KaraokeTimeline(KaraokeGeometry geometry) : m_geometry(geometry) {}

void KaraokeTimeline::load(KscDocument document, int ticksPerSecond) {
    m_document = std::move(document);
    m_font = kscMeasuringFont(m_document.fontSize);
    m_units.clear();
    for (const KscLine& line : m_document.lines) {
        UnitSteps u;
        for (const KscUnit& unit : line.units) {
            if (ticksPerSecond > 0) {
                u.steps.push_back(std::max(
                    1,
                    roundHalfEven(static_cast<long long>(ticksPerSecond) * unit.durationMs, 1000)));
                u.advance.push_back(1);
            } else {
                // A unit shorter than half a frame still takes one frame.
                u.steps.push_back(std::max(1, unit.frames));
                u.advance.push_back(unit.advance);
            }
            u.cumulative.push_back(unit.cumulativeWidth);
        }
        m_units.push_back(std::move(u));
    }
    clearLabels();
}

void KaraokeTimeline::clearLabels() {
    for (KaraokeRow& row : m_rows) row = KaraokeRow{};
    m_sweepLine = -1;
    m_unit = 0;
    m_inUnit = 0;
}

void KaraokeTimeline::setGeometry(KaraokeGeometry geometry) {
    m_geometry = geometry;
    for (KaraokeLabel* label : {&m_rows[0].base, &m_rows[0].sweep})
        label->rect.moveTo(geometry.rowALeft, geometry.rowATop);
    for (KaraokeLabel* label : {&m_rows[1].base, &m_rows[1].sweep}) {
        // Row B keeps its right edge 20 pixels inside the area.
        const int left = geometry.areaWidth - m_rows[1].base.rect.width() - 20;
        label->rect.moveTo(left, geometry.rowBTop);
    }
}

void KaraokeTimeline::appear(int line) {
    const KscLine& l = m_document.lines[static_cast<std::size_t>(line)];
    const QString text = l.processed + QStringLiteral("     ");
    const QFontMetrics metrics(m_font);
    const int width = metrics.horizontalAdvance(text) + 10;
    const int height = metrics.height() + 10;
    const bool rowB = l.row == QLatin1String("B");
    const int left = rowB ? m_geometry.areaWidth - width - 20 : m_geometry.rowALeft;
    const int top = rowB ? m_geometry.rowBTop : m_geometry.rowATop;
    KaraokeRow& row = rowOf(line);
    row.base = {text, QRect(left, top, width, height), true};
    row.sweep = {text, QRect(left, top, 0, height), false};
}

void KaraokeTimeline::applyClock(const QString& clock) {
    const auto& lines = m_document.lines;
    const int count = static_cast<int>(lines.size());
    for (int i = 0; i < count; ++i) {
        if (lines[static_cast<std::size_t>(i)].appear.startsWith(clock)) {
            appear(i);
            break;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (lines[static_cast<std::size_t>(i)].sweep.startsWith(clock)) {
            rowOf(i).sweep.visible = true;
            m_sweepLine = m_units[static_cast<std::size_t>(i)].steps.empty() ? -1 : i;
            m_unit = 0;
            m_inUnit = 0;
            break;
        }
    }
    if (count > 0 && lines.back().hide == clock) clearLabels();
}

void KaraokeTimeline::sweepStep() {
    if (m_sweepLine < 0) return;
    ++m_inUnit;
    KaraokeRow& current = rowOf(m_sweepLine);
    KaraokeRow& other = &current == &m_rows[0] ? m_rows[1] : m_rows[0];
    // A line of the other row that is still partly swept is finished at once.
    if (other.sweep.rect.width() > 0 && other.sweep.rect.width() < other.base.rect.width())
        other.sweep.rect.setWidth(other.base.rect.width());

    const UnitSteps& u = m_units[static_cast<std::size_t>(m_sweepLine)];
    const auto k = static_cast<std::size_t>(m_unit);
    const bool last = k + 1 == u.steps.size();
    int width = current.sweep.rect.width();
    if (width < u.cumulative[k]) width += u.advance[k];
    if (last) width += u.advance[k];
    if (m_inUnit >= u.steps[k]) {
        if (!last) width = u.cumulative[k];
        ++m_unit;
        m_inUnit = 0;
        if (last) m_sweepLine = -1;
    }
    current.sweep.rect.setWidth(std::min(width, current.base.rect.width()));
}

KaraokeAlbumClock::KaraokeAlbumClock(KaraokeTimeline& timeline, std::vector<int> songFrameCounts,
                                     int karaokeRows, Loader loader)
    : m_timeline(timeline),
      m_frameCounts(std::move(songFrameCounts)),
      m_karaokeRows(karaokeRows),
      m_loader(std::move(loader)) {}

QString KaraokeAlbumClock::clock() const { return frameClockText(m_counter); }

bool KaraokeAlbumClock::loadRow(int row) {
    auto document = m_loader(row);
    if (!document) return false;
    m_timeline.load(std::move(*document));
    m_lastClock.clear();
    return true;
}

void KaraokeAlbumClock::start() {
    m_counter = 0;
    m_row = 0;
    m_running = !m_frameCounts.empty() && m_karaokeRows > 0 && loadRow(0);
    if (!m_running) m_timeline.clearLabels();
}

void KaraokeAlbumClock::advanceFrame() {
    if (!m_running) return;
    ++m_counter;
    if (m_counter >= m_frameCounts[static_cast<std::size_t>(m_row)]) {
        ++m_row;
        const bool more = m_row < m_karaokeRows && m_row < static_cast<int>(m_frameCounts.size());
        if (!more || !loadRow(m_row)) {
            m_running = false;
            m_timeline.clearLabels();
            return;
        }
        m_counter = -24;
    }
    const QString now = clock();
    if (now != m_lastClock) {
        m_lastClock = now;
        m_timeline.applyClock(now);
    }
    m_timeline.sweepStep();
}

}  // namespace orvane
