#include "render/overlays/frame_overlays.h"

#include <QPainter>

#include "base/error.h"
#include "render/overlays/karaoke_overlay.h"
#include "render/overlays/label_sprite.h"
#include "render/overlays/lyric_overlay.h"
#include "render/overlays/overlay_scale.h"
#include "render/overlays/picture_overlay.h"
#include "render/overlays/text_overlay.h"

namespace orvane {

struct FrameOverlays::State {
    State(const ProjectModel& model, QSize outputSize, const FrameOverlayOptions& options)
        : scale(outputSize),
          pictures(model, scale, messages),
          texts(model, scale, messages),
          karaoke(model, options.songOrder,
                  {model.settings.karaokeRowALeft, model.settings.karaokeRowATop,
                   model.settings.karaokeRowBTop, kReferenceWidth},
                  messages),
          lyric(model, options.songOrder, messages) {}

    // One album frame, in the order the frame step runs them: karaoke,
    // lyric, texts (and the pictures' spans).
    void advance() {
        ++frame;
        karaoke.advanceFrame();
        lyric.advanceFrame();
        texts.advanceFrame(frame);
        pictures.advanceFrame(frame);
    }

    void paintKaraokeRow(QPainter& painter, const KaraokeRow& row) {
        const KaraokeLook& look = karaoke.look();
        const QString prefix = QString::number(look.karaokeRow) + QLatin1Char('|');
        if (row.base.visible && !row.base.text.isEmpty()) {
            const QImage& base =
                sprites.get(prefix + QStringLiteral("u|") + row.base.text, row.base.text, look.font,
                            look.unsung, row.base.rect.size(), scale);
            painter.drawImage(scale.point(row.base.rect.topLeft()), base);
        }
        const int width = scale.x(row.sweep.rect.width());
        if (row.sweep.visible && width > 0 && !row.sweep.text.isEmpty()) {
            // The sung line is drawn in a label as large as the base label and
            // cut to the sweep's width.
            const QImage& sung =
                sprites.get(prefix + QStringLiteral("s|") + row.sweep.text, row.sweep.text,
                            look.font, look.sung, row.base.rect.size(), scale);
            painter.drawImage(scale.point(row.sweep.rect.topLeft()), sung,
                              QRect(0, 0, std::min(width, sung.width()), sung.height()));
        }
    }

    bool anythingShown() const {
        if (texts.enabled() || pictures.enabled()) return true;
        if (lyric.label()) return true;
        if (!karaoke.enabled()) return false;
        const KaraokeTimeline& t = karaoke.timeline();
        return t.rowA().base.visible || t.rowB().base.visible || t.rowA().sweep.visible ||
               t.rowB().sweep.visible;
    }

    void paint(QImage& image) {
        if (!anythingShown()) return;
        QPainter painter(&image);
        // Back to front: decorations, moving texts, karaoke rows, lyric line.
        pictures.paint(painter);
        texts.paint(painter, scale);
        if (karaoke.enabled()) {
            paintKaraokeRow(painter, karaoke.timeline().rowA());
            paintKaraokeRow(painter, karaoke.timeline().rowB());
        }
        if (const std::optional<LyricLabel> label = lyric.label()) {
            const QImage& sprite =
                sprites.get(QStringLiteral("lrc|") + QString::number(label->color.rgb()) +
                                label->font.key() + QLatin1Char('|') + lyric.caption(),
                            lyric.caption(), label->font, label->color, label->rect.size(), scale);
            painter.drawImage(scale.point(label->rect.topLeft()), sprite);
        }
    }

    std::vector<UserError> messages;
    OverlayScale scale;
    PictureOverlay pictures;
    TextOverlay texts;
    KaraokeOverlay karaoke;
    LyricOverlay lyric;
    SpriteCache sprites;
    int frame = 0;
};

FrameOverlays::FrameOverlays(const ProjectModel& model, QSize outputSize,
                             FrameOverlayOptions options) {
    if (outputSize.isEmpty())
        throw OrvaneError(QStringLiteral("frame overlays: empty output size"));
    m_state = std::make_unique<State>(model, outputSize, options);
}

FrameOverlays::~FrameOverlays() = default;

void FrameOverlays::paint(QImage& frame, int albumFrame) {
    State& s = *m_state;
    if (albumFrame < s.frame)
        throw OrvaneError(
            QStringLiteral("frame overlays: frame %1 after frame %2").arg(albumFrame).arg(s.frame));
    if (frame.size() != s.scale.output())
        throw OrvaneError(QStringLiteral("frame overlays: a %1 × %2 frame for a %3 × %4 album")
                              .arg(frame.width())
                              .arg(frame.height())
                              .arg(s.scale.output().width())
                              .arg(s.scale.output().height()));
    while (s.frame < albumFrame) s.advance();
    s.paint(frame);
}

int FrameOverlays::currentFrame() const { return m_state->frame; }

bool FrameOverlays::empty() const {
    const State& s = *m_state;
    return !s.lyric.enabled() && !s.karaoke.enabled() && !s.texts.enabled() &&
           !s.pictures.enabled();
}

QStringList FrameOverlays::messages() const {
    QStringList lines;
    for (const UserError& leftOut : m_state->messages) lines << leftOut.message;
    return lines;
}

const std::vector<UserError>& FrameOverlays::leftOut() const { return m_state->messages; }

}  // namespace orvane
