#include "gui/shell/file_chooser.h"

namespace orvane {

QString dialogNameFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0) return filter;
    QStringList patterns = filter.mid(bar + 1).split(u';', Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    return filter.left(bar) + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

QString FileChooser::openFile(QWidget* parent, const QString& title, const QString& filter) {
    const QStringList files = openFiles(parent, title, filter);
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace orvane
