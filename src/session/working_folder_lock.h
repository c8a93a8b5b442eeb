#pragma once
// The lock that keeps two runs of the program (a window session, an
// `orvane make`, an `orvane fit`, …) from sharing one working folder. It is
// an advisory lock (flock) on a file in the folder; the kernel drops it when
// the holding process ends for any reason, so a killed run never blocks the
// next one. The holder writes its process id and what it is into the file,
// so that a refused run can say who holds the folder.

#include <QString>
#include <memory>

#include "base/error.h"
#include "base/working_folder.h"

namespace orvane {

class WorkingFolderLock {
   public:
    // Takes the lock of `folder` for `holder` (a short description of this
    // run, "orvane make"). Fails at once, naming the folder and the holder,
    // when another run holds it, or when the lock file cannot be made.
    static Result<std::unique_ptr<WorkingFolderLock>> acquire(const WorkingFolder& folder,
                                                              const QString& holder);
    ~WorkingFolderLock();
    WorkingFolderLock(const WorkingFolderLock&) = delete;
    WorkingFolderLock& operator=(const WorkingFolderLock&) = delete;

   private:
    explicit WorkingFolderLock(int fd) : m_fd(fd) {}
    int m_fd;
};

}  // namespace orvane
