#include "base/thumbnail_files.h"

namespace orvane {

Result<void> reorderThumbnailFiles(const WorkingFolder& folder, int kind, const RowOrder& order) {
    checkOrder(order, order.size());
    if (isIdentity(order)) return {};
    const int count = static_cast<int>(order.size());

    std::error_code ec;
    for (int n = 1; n <= count; ++n) {
        const fs::path aside = folder.renumberingThumbnail(kind, n);
        if (fs::exists(aside, ec) || ec)
            return fail(QStringLiteral("cannot reorder the thumbnails: %1 is in the way")
                            .arg(toQString(aside)),
                        ErrorKind::Internal);
    }

    // Move aside; on a failure put back what already moved.
    std::vector<bool> moved(static_cast<std::size_t>(count) + 1, false);
    for (int n = 1; n <= count; ++n) {
        const fs::path file = folder.thumbnail(kind, n);
        ec.clear();
        if (!fs::exists(file, ec)) continue;
        fs::rename(file, folder.renumberingThumbnail(kind, n), ec);
        if (!ec) {
            moved[static_cast<std::size_t>(n)] = true;
            continue;
        }
        for (int back = 1; back < n; ++back) {
            std::error_code ignored;
            if (moved[static_cast<std::size_t>(back)])
                fs::rename(folder.renumberingThumbnail(kind, back), folder.thumbnail(kind, back),
                           ignored);
        }
        return fail(QStringLiteral("cannot reorder the thumbnails: %1 cannot be renamed (%2)")
                        .arg(toQString(file), QString::fromStdString(ec.message())),
                    ErrorKind::Internal);
    }

    // Every thumbnail name is free now; each file takes its row's new number.
    QString failure;
    for (int j = 0; j < count; ++j) {
        const int old = static_cast<int>(order[static_cast<std::size_t>(j)]) + 1;
        if (!moved[static_cast<std::size_t>(old)]) continue;
        const fs::path aside = folder.renumberingThumbnail(kind, old);
        ec.clear();
        fs::rename(aside, folder.thumbnail(kind, j + 1), ec);
        if (ec && failure.isEmpty())
            failure = QStringLiteral("cannot rename the thumbnail %1 (%2)")
                          .arg(toQString(aside), QString::fromStdString(ec.message()));
    }
    if (!failure.isEmpty()) throw OrvaneError(failure);
    return {};
}

}  // namespace orvane
