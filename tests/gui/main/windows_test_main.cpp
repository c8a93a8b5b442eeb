// The main of the window tests: one QApplication for the whole run, offscreen.

#include <gtest/gtest.h>

#include <QApplication>

#include "gui/shell/job_progress_window.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The import windows' closing pauses would only slow the tests down.
    orvane::JobProgressWindow::setClosingPauseScale(0.0);
    return RUN_ALL_TESTS();
}
