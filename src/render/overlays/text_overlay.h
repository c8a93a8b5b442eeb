#pragma once
// The moving texts over the album frames: one label per TextEffect row, in
// table order, moved by the motion model once per album frame on the album
// clock, on the 1920 × 1080 frame with a step of 3 pixels. The rows' fixed
// positions, given in the editor's 513 × 289 preview, are scaled to that
// frame like their font size, so a text runs where the preview showed it.
// Each label is drawn once into a small picture at the output scale. One
// thread at a time.

#include <QImage>
#include <QPainter>
#include <QStringList>
#include <vector>

#include "base/error.h"
#include "base/project_model.h"
#include "effects/text_motion.h"
#include "render/overlays/overlay_scale.h"

namespace orvane {

class TextOverlay {
   public:
    // Rows with an unknown motion key are left out with a message.
    TextOverlay(const ProjectModel& model, const OverlayScale& scale,
                std::vector<UserError>& messages);

    // One album frame: the clock text of `albumFrame` starts and moves texts.
    void advanceFrame(int albumFrame);
    void paint(QPainter& painter, const OverlayScale& scale) const;

    bool enabled() const { return !m_texts.empty(); }
    const std::vector<MovingText>& texts() const { return m_texts; }

   private:
    std::vector<MovingText> m_texts;
    std::vector<QImage> m_sprites;
};

}  // namespace orvane
