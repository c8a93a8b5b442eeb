#pragma once
// Runs the orvane executable with arguments and collects what it printed.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace orvane::testing {

struct CommandResult {
    int status = -1;
    QString out;
    QString err;
};

inline CommandResult runOrvane(const QStringList& arguments, int timeoutMs = 60000) {
    QProcess process;
    process.start(QStringLiteral(ORVANE_BINARY), arguments);
    CommandResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("timed out");
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

}  // namespace orvane::testing
