#include "browser/preview_fit.h"

namespace orvane {

std::optional<int> chosenRow(ViewMode mode, std::optional<int> pressed, std::optional<int> selected,
                             bool noneAsFirst) {
    if (mode == ViewMode::List) return selected;
    if (pressed) return pressed;
    if (noneAsFirst) return 0;
    return std::nullopt;
}

QSize previewFit(QSize source, QSize box, bool landscape) {
    if (source.width() <= 0 || source.height() <= 0) return {};
    const qint64 w = source.width();
    const qint64 h = source.height();
    if (landscape) {
        qint64 width = box.width();
        qint64 height = width * h / w;
        if (height > box.height()) {
            height = box.height();
            width = height * w / h;
        }
        return QSize(static_cast<int>(width), static_cast<int>(height));
    }
    qint64 height = box.height();
    qint64 width = height * w / h;
    if (width > box.width()) {
        width = box.width();
        height = width * h / w;
    }
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

}  // namespace orvane
