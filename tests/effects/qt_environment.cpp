// Font metrics and painting need a QGuiApplication; the tests of this area
// share one, made before the first test, with the album's face names mapped
// to installed fonts.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

#include "app/fonts.h"

namespace {

class QtEnvironment : public ::testing::Environment {
   public:
    void SetUp() override {
        if (!QGuiApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
        }
        orvane::installFontSubstitutions();
    }
    void TearDown() override { m_app.reset(); }

   private:
    int m_argc = 1;
    char m_name[16] = "test_effects";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
