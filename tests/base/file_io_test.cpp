// Whole-file writes on a full disk: the failure is reported with the
// system's reason and no file, whole or partial, is left at the path. The
// disk is "filled" in a forked child by a file size limit, with SIGXFSZ
// ignored so that writes fail with EFBIG as they do on a full disk.

#include "base/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/working_folder.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using testing::TempDir;

// Runs `body` in a child limited to files of `limit` bytes; its exit status.
int inChildWithFileLimit(rlim_t limit, const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FileIo, WritesOnAFullDiskFailWithTheReasonAndLeaveNoFile) {
    TempDir dir;
    // 3000 bytes fit in the stream's buffer: the error shows only at close.
    for (const std::size_t size : {std::size_t{3000}, std::size_t{200'000}}) {
        SCOPED_TRACE(size);
        const Bytes bytes(size, 7);
        const fs::path whole = dir.path() / "whole.bin";
        const fs::path fresh = dir.path() / "fresh.bin";
        testing::writeFile(whole, "old content");
        const int status = inChildWithFileLimit(1024, [&] {
            auto a = writeWholeFile(whole, bytes);
            auto b = writeFreshFile(fresh, bytes);
            if (a || b) return 1;
            const QString reason = QStringLiteral("File too large");
            if (!a.error().message.contains(toQString(whole)) ||
                !a.error().message.contains(reason))
                return 2;
            if (!b.error().message.contains(toQString(fresh)) ||
                !b.error().message.contains(reason))
                return 3;
            return 0;
        });
        EXPECT_EQ(status, 0);
        // The old file stays whole; no temporary file is left beside it.
        EXPECT_EQ(testing::readFile(whole), "old content");
        EXPECT_FALSE(fs::exists(dir.path() / "whole.bin.part"));
        EXPECT_FALSE(fs::exists(fresh));
    }
}

}  // namespace
}  // namespace orvane
