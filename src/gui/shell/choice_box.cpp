#include "gui/shell/choice_box.h"

namespace orvane {

ChoiceBox::ChoiceBox(const QString& caption, const QString& objectName, QWidget* parent)
    : QComboBox(parent) {
    setObjectName(objectName);
    setAccessibleName(caption);
}

}  // namespace orvane
