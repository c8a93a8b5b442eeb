#pragma once
// The pressed-item preview box: which row it shows and at what size. In
// icon view it shows the last pressed thumbnail (the first row when none was
// pressed), in list view the list's selected row. A landscape source takes
// the box's full width, a portrait one its full height, each capped by the
// other side with the proportions kept. Pure functions, any thread.

#include <QSize>
#include <QString>
#include <optional>

namespace orvane {

enum class ViewMode { Icons, List };  // "tubiao", "liebiao"

// The row a command works on: the pressed thumbnail in icon view (nothing
// pressed: `noneAsFirst` picks row 0, as the preview does), the selected row
// in list view.
std::optional<int> chosenRow(ViewMode mode, std::optional<int> pressed, std::optional<int> selected,
                             bool noneAsFirst);

// The size at which a `source` picture is shown in a box of `box`.
// `landscape` follows the photo's orientation (wider than tall, or square).
QSize previewFit(QSize source, QSize box, bool landscape);

}  // namespace orvane
