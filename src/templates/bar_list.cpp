#include "templates/bar_list.h"

namespace orvane {

QStringList parseBarList(const QString& text) {
    QStringList items;
    const qsizetype first = text.indexOf(u'|');
    const qsizetype last = text.lastIndexOf(u'|');
    if (first < 0 || last <= first) return items;
    return text.mid(first + 1, last - first - 1).split(u'|');
}

}  // namespace orvane
