#include "render/overlays/karaoke_overlay.h"

#include "audio/karaoke_files.h"
#include "audio/script_converter.h"
#include "base/fonts.h"
#include "effects/text_colors.h"
#include "render/overlays/overlay_scale.h"

namespace orvane {

namespace {

KaraokeLook lookOf(const KaraokeEntry& entry, int row) {
    KaraokeLook look;
    look.font = QFont(entry.fontName);
    look.font.setPixelSize(std::max(1, pointsToPixels(karaokeFontSize(entry, kReferenceWidth))));
    look.font.setBold(entry.bold);
    look.font.setItalic(entry.italic);
    look.font.setUnderline(entry.underline);
    look.unsung = colorForValueText(entry.colorValue).value_or(QColor(Qt::white));
    look.sung = colorForValueText(entry.fillColorValue).value_or(QColor(Qt::blue));
    look.karaokeRow = row;
    return look;
}

}  // namespace

KaraokeOverlay::KaraokeOverlay(const ProjectModel& model, const std::vector<int>& songOrder,
                               KaraokeGeometry geometry, std::vector<UserError>& messages)
    : m_messages(messages), m_timeline(geometry) {
    for (const KaraokeEntry& entry : model.karaoke) m_rows.push_back(entry);
    std::vector<int> frameCounts;
    std::vector<int> order = songOrder;
    if (order.empty())
        for (int i = 0; i < static_cast<int>(model.music.size()); ++i) order.push_back(i);
    for (int row : order) {
        if (row < 0 || row >= static_cast<int>(model.music.size())) continue;
        m_order.push_back(row);
        frameCounts.push_back(model.music.at(static_cast<std::size_t>(row)).frameCount);
    }
    m_enabled = !m_order.empty() && albumDrawsKaraoke(model);
    if (!m_enabled) return;
    m_converter = std::make_unique<ScriptConverter>();
    m_clock = std::make_unique<KaraokeAlbumClock>(
        m_timeline, std::move(frameCounts), static_cast<int>(m_order.size()),
        [this](int orderIndex) { return load(orderIndex); });
    m_clock->start();
}

KaraokeOverlay::~KaraokeOverlay() = default;

std::optional<KscDocument> KaraokeOverlay::load(int orderIndex) {
    const int row = m_order[static_cast<std::size_t>(orderIndex)];
    // A song beyond the karaoke rows has no karaoke (a repeated song may
    // still have its karaoke later).
    if (row >= static_cast<int>(m_rows.size())) return KscDocument{};
    const KaraokeEntry& entry = m_rows[static_cast<std::size_t>(row)];
    m_look = lookOf(entry, row);
    Result<KscDocument> parsed = parseKscFile(
        entry.location, {karaokeFontSize(entry, kReferenceWidth), legacyText(entry.script)},
        *m_converter);
    if (parsed) return std::move(*parsed);
    // A file that cannot be read leaves this song without karaoke; the next
    // songs still get theirs.
    m_messages.push_back(problemError(Problem::KaraokeUnreadable, parsed.error().message,
                                      entry.location, parsed.error().message));
    KscDocument none;
    none.fontSize = karaokeFontSize(entry, kReferenceWidth);
    return none;
}

void KaraokeOverlay::advanceFrame() {
    if (m_enabled) m_clock->advanceFrame();
}

}  // namespace orvane
