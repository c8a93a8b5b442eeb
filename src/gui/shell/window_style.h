#pragma once
// The style sheet every window of the system uses for its own controls
// (buttons, labels, progress bars) in the colours of the skin. GUI thread.

#include <QString>

namespace orvane {

QString windowStyleSheet();

}  // namespace orvane
