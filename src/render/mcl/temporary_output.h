#pragma once
// A file written under a temporary name beside its final name and renamed
// over it only when complete, so that a failed or stopped write never leaves
// a file (or half a file) at the final name.

#include <QString>

#include "base/error.h"

namespace orvane {

class TemporaryOutput {
   public:
    explicit TemporaryOutput(QString finalPath);
    ~TemporaryOutput();  // removes the temporary file unless committed
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    // Creates an empty temporary file in the final file's folder; fails with
    // a message naming that folder when it cannot be written.
    Result<void> create();
    const QString& temporaryPath() const { return m_temporaryPath; }
    const QString& finalPath() const { return m_finalPath; }
    // Renames the temporary file to the final name (replacing a file there).
    Result<void> commit();
    void remove();

   private:
    QString m_finalPath;
    QString m_temporaryPath;
    bool m_committed = false;
};

}  // namespace orvane
