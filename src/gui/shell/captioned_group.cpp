#include "gui/shell/captioned_group.h"

namespace orvane {

CaptionedGroup::CaptionedGroup(const QString& caption, const QString& objectName, QWidget* parent)
    : QGroupBox(caption, parent) {
    setObjectName(objectName);
    setAccessibleName(caption.simplified());
}

}  // namespace orvane
