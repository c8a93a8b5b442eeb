#include "render/overlays/lyric_overlay.h"

#include "audio/binding.h"
#include "audio/karaoke_files.h"
#include "base/album_time.h"
#include "render/overlays/overlay_scale.h"

namespace orvane {

namespace {
const std::vector<LrcRow> kNoLines;
}

LyricOverlay::LyricOverlay(const ProjectModel& model, const std::vector<int>& songOrder,
                           std::vector<UserError>& messages)
    : m_messages(messages) {
    std::vector<int> order = songOrder;
    if (order.empty())
        for (int i = 0; i < static_cast<int>(model.music.size()); ++i) order.push_back(i);
    for (int row : order) {
        if (row < 0 || row >= static_cast<int>(model.music.size())) continue;
        const MusicEntry& song = model.music.at(static_cast<std::size_t>(row));
        m_songs.push_back({song.frameCount, boundLyricRow(model, row)});
    }
    for (const LyricEntry& lyric : model.lyrics) m_lyrics.push_back(lyric);
    m_enabled = !m_songs.empty() && !m_lyrics.empty() && albumDrawsLrc(model);
    if (!m_enabled) return;

    // Album start: the first song's lyric, styled from it (or from the first
    // lyric row when it has none).
    m_running = true;
    m_styleRow = m_songs.front().lyricRow >= 0 ? m_songs.front().lyricRow : 0;
    beginSong();
}

void LyricOverlay::beginSong() {
    m_counter = 0;
    m_caption.clear();
    const int row = m_songs[static_cast<std::size_t>(m_position)].lyricRow;
    if (row < 0) {
        m_table = &kNoLines;
        return;
    }
    m_styleRow = row;
    auto found = m_tables.find(row);
    if (found == m_tables.end()) {
        const LyricEntry& lyric = m_lyrics[static_cast<std::size_t>(row)];
        Result<LrcTables> parsed = parseLrcFile(lyric.location);
        std::vector<LrcRow> table;
        if (parsed)
            table = std::move(parsed->timeTable);
        else
            m_messages.push_back(problemError(Problem::LyricUnreadable, parsed.error().message,
                                              lyric.location, parsed.error().message));
        found = m_tables.emplace(row, std::move(table)).first;
    }
    m_table = &found->second;
}

void LyricOverlay::restyle() {
    m_label = styleLyricLabel(m_lyrics[static_cast<std::size_t>(m_styleRow)], m_caption,
                              QSize(kReferenceWidth, kReferenceHeight), kReferenceWidth,
                              m_label.rect.topLeft());
}

void LyricOverlay::advanceFrame() {
    if (!m_running) return;
    ++m_counter;
    if (const LrcRow* line = lookupLrcLine(*m_table, frameClockText(m_counter))) {
        if (line->text != m_caption || m_label.rect.isNull()) {
            m_caption = line->text;
            restyle();
        }
    }
    const Song& song = m_songs[static_cast<std::size_t>(m_position)];
    // A song whose length is unknown ("0") ends at once rather than never.
    if (m_counter >= song.frameCount) {
        ++m_position;
        if (m_position < static_cast<int>(m_songs.size())) {
            beginSong();
        } else {
            m_caption.clear();
            m_running = false;
        }
    }
}

std::optional<LyricLabel> LyricOverlay::label() const {
    if (!m_enabled || m_caption.isEmpty()) return std::nullopt;
    return m_label;
}

}  // namespace orvane
