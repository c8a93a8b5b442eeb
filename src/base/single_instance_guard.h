#pragma once
// Keeps a second copy of the GUI from running. The guard holds an advisory
// lock (flock) on a file; the system drops the lock when the holding process
// ends for any reason, so a crashed run never blocks the next start.

#include <QString>

namespace orvane {

class SingleInstanceGuard {
   public:
    // `lockPath` empty: a file in the user's runtime folder named after the
    // application title.
    explicit SingleInstanceGuard(QString lockPath = {});
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // True when this process now holds the guard; false when another does.
    bool acquire();
    const QString& lockPath() const { return m_path; }

    static QString defaultLockPath();

   private:
    QString m_path;
    int m_fd = -1;
};

}  // namespace orvane
