#pragma once
// Bar lists: per-slot template values written as |v1|v2|...|. The items are
// the texts between neighbouring bars; text before the first bar or after the
// last is ignored, and a text with fewer than two bars has no items.

#include <QString>
#include <QStringList>

namespace orvane {

QStringList parseBarList(const QString& text);

}  // namespace orvane
