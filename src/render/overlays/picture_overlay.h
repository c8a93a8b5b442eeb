#pragma once
// The picture decorations over the album frames: each PictureEffect row's
// picture, read once and scaled to the output, is drawn with its alpha at its
// placement while its span of album time runs (its run state is "qidong"
// exactly then). Later rows are drawn over earlier ones. One thread at a time.

#include <QImage>
#include <QPainter>
#include <QStringList>
#include <vector>

#include "base/error.h"
#include "base/project_model.h"
#include "effects/picture_effect.h"
#include "render/overlays/overlay_scale.h"

namespace orvane {

class PictureOverlay {
   public:
    // Rows whose times, placement or picture cannot be read are left out with
    // a message naming the file.
    PictureOverlay(const ProjectModel& model, const OverlayScale& scale,
                   std::vector<UserError>& messages);

    void advanceFrame(int albumFrame);
    void paint(QPainter& painter) const;

    bool enabled() const { return !m_pictures.empty(); }
    // The run state of each picture that was read, in row order.
    QStringList runStates() const;

   private:
    struct Picture {
        PictureEffectSpan span;
        QImage image;  // premultiplied, at the output scale
        QPoint position;
        QString runState;
    };
    std::vector<Picture> m_pictures;
};

}  // namespace orvane
