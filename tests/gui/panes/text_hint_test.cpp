// The text hint TForm30 over the buttons of the main window: the button's
// description while the mouse is over it, gone when it leaves.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPushButton>

#include "gui/panes/text_hint_window.h"
#include "gui/shell/hot_label.h"

namespace orvane {
namespace {

TEST(TextHintTest, DescribesTheButtonUnderTheMouse) {
    TextHintWindow hint;
    EXPECT_EQ(hint.objectName(), QStringLiteral("TForm30"));
    EXPECT_EQ(hint.windowTitle(), QStringLiteral("提示窗口"));
    QPushButton add(QStringLiteral("添加相片"));
    QPushButton bind(QStringLiteral("绑定"));
    QPushButton other(QStringLiteral("确定"));
    add.setAccessibleDescription(QStringLiteral("支持多个相片文件一起添加使用"));
    bind.setAccessibleDescription(QStringLiteral("绑定音乐文件"));
    hint.attach(&add);
    hint.attach(&bind);
    hint.attach(&other);

    struct Case {
        QPushButton* button;
        QString text;  // empty: no hint
    };
    const Case cases[] = {{&add, QStringLiteral("支持多个相片文件一起添加使用")},
                          {&bind, QStringLiteral("绑定音乐文件")},
                          {&other, QString()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button->text().toStdString());
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(100, 100));
        QApplication::sendEvent(c.button, &enter);
        EXPECT_EQ(hint.isVisible(), !c.text.isEmpty());
        if (!c.text.isEmpty()) {
            EXPECT_EQ(hint.text(), c.text);
            // The window fits its line with 8 pixels on each side.
            EXPECT_GE(hint.width(), 16);
        }
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(c.button, &leave);
        EXPECT_FALSE(hint.isVisible());
    }
}

// The title bar's hot areas show no text; their hints are theirs all the
// same. A press (the command runs) hides the hint as leaving does.
TEST(TextHintTest, DescribesTheTitleButtonsAndStripLabelsAndGoesOnAPress) {
    TextHintWindow hint;
    HotLabel close(QStringLiteral("Label_guanbi"), QStringLiteral("关闭"), QString());
    HotLabel restore(QStringLiteral("Label_huanyuan"), QStringLiteral("还原"), QString());
    HotLabel music(QStringLiteral("Label_yinyuequyu"), QStringLiteral("音乐区域"),
                   QStringLiteral("音乐区域"));
    close.setAccessibleDescription(QStringLiteral("退出软件"));
    restore.setAccessibleDescription(QStringLiteral("窗体放大"));
    music.setAccessibleDescription(QStringLiteral("显示音乐文件的缩略图区域"));
    hint.attach(&close);
    hint.attach(&restore);
    hint.attach(&music);
    const std::pair<HotLabel*, const char*> cases[] = {
        {&close, "退出软件"}, {&restore, "窗体放大"}, {&music, "显示音乐文件的缩略图区域"}};
    for (const auto& [label, text] : cases) {
        SCOPED_TRACE(label->objectName().toStdString());
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(100, 100));
        QApplication::sendEvent(label, &enter);
        ASSERT_TRUE(hint.isVisible());
        EXPECT_EQ(hint.text(), QString::fromUtf8(text));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(100, 100),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(label, &press);
        EXPECT_FALSE(hint.isVisible());
    }
}

}  // namespace
}  // namespace orvane
