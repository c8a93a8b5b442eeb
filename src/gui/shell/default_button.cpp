#include "gui/shell/default_button.h"

namespace orvane {

DefaultButton::DefaultButton(const QString& group, const QString& objectName, QWidget* parent)
    : CommandButton(caption(), objectName, parent) {
    if (!group.isEmpty()) setAccessibleDescription(group);
}

QString DefaultButton::caption() { return QStringLiteral("默认"); }

}  // namespace orvane
