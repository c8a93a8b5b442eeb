#include "gui/shell/check_option.h"

namespace orvane {

CheckOption::CheckOption(const QString& caption, const QString& objectName, QWidget* parent)
    : QCheckBox(caption, parent) {
    setObjectName(objectName);
    setAccessibleName(caption.simplified());
}

}  // namespace orvane
