// The main of test programs that measure or paint text: one QGuiApplication
// for the whole run (offscreen), with the album's face names mapped to
// installed fonts, made before the first test.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "base/fonts.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    orvane::installFontSubstitutions();
    return RUN_ALL_TESTS();
}
