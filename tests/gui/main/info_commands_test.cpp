// The information commands answer in the message window, and a long message
// gets a window large enough to show all of its text.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "gui/command_trigger.h"
#include "gui/main/main_window.h"
#include "gui/project_windows_fixture.h"
#include "gui/shell/message_window.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class InfoCommandsTest : public ProjectWindowsTest {};

TEST_F(InfoCommandsTest, EachCommandAnswersInAMessageWindowThatShowsAllOfIt) {
    struct Case {
        const char* caption;
        QString expected;  // part of the message
    };
    const Case cases[] = {
        {"软件简介", QStringLiteral("MP4")},
        {"帮助文件", QStringLiteral("打开工程")},
        {"网站模板", toQString(folder.base() / "wj_0_or_2")},
        {"歌词制作", QStringLiteral("[00:12.50]")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        QString said;
        QSize labelSize, textSize;
        whenShown(QStringLiteral("TForm8"), [&](QWidget* w) {
            auto* label = child<QLabel>(w, "Label_xianshi_xiaoxi");
            said = label->text();
            labelSize = label->size();
            textSize = QSize(label->width(), label->heightForWidth(label->width()));
            child<QPushButton>(w, "Button_queding")->click();
        });
        testing::triggerCommand(*windows, c.caption);
        EXPECT_TRUE(said.contains(c.expected)) << said.toStdString();
        EXPECT_GE(labelSize.height(), textSize.height()) << "the text is cut off";
    }
}

}  // namespace
}  // namespace orvane
