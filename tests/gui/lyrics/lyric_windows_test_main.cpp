// The main of the lyric window tests: one QApplication for the whole run,
// offscreen, with the album's font faces mapped to installed ones.

#include <gtest/gtest.h>

#include <QApplication>

#include "base/fonts.h"
#include "gui/shell/job_progress_window.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The import windows' closing pauses would only slow the tests down.
    orvane::JobProgressWindow::setClosingPauseScale(0.0);
    orvane::installFontSubstitutions();
    return RUN_ALL_TESTS();
}
