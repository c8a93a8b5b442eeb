// The text-effect editor TextEffectWindow through the window set: the add checks and
// their messages in order, deleting several rows, preview all ending, the
// list drag, and the table handed to the session on close.

#include "gui/effects/text_effect_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

#include "effects/motion_table.h"
#include "gui/command_trigger.h"
#include "gui/empty_session.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "session/session.h"
#include "support/test_support.h"
#include "support/window_answers.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class TextEffectEditorTest : public ::testing::Test {
   protected:
    void SetUp() override {
        session = openEmptySession(dir.path());
        ASSERT_TRUE(session);
        windows = std::make_unique<WindowSet>(*session);
        editor = qobject_cast<TextEffectWindow*>(windows->window(QStringLiteral("TForm3")));
        ASSERT_NE(editor, nullptr);
    }
    // Opens the editor from the main window's command, runs `act` in it and
    // leaves it with "返     回".
    void inEditor(const std::function<void(TextEffectWindow*)>& act) {
        whenShown(QStringLiteral("TForm3"), [act](QWidget* w) {
            auto* e = static_cast<TextEffectWindow*>(w);
            act(e);
            child<QPushButton>(e, "suiButton_fanhui")->click();
        });
        testing::triggerCommand(*windows, "文字特效");
    }
    static void addText(TextEffectWindow* e, const QString& text) {
        child<QLineEdit>(e, "suiEdit_wenzi")->setText(text);
        child<QPushButton>(e, "suiButton_tianjia")->click();
    }
    static QStringList listTexts(TextEffectWindow* e) {
        QStringList out;
        auto* list = child<QTreeWidget>(e, "suiListView_Label_2");
        for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(0);
        return out;
    }
    static QStringList rowTexts(TextEffectWindow* e) {
        QStringList out;
        for (const TextEffect& row : e->rows()) out << row.text;
        return out;
    }
    static void select(TextEffectWindow* e, std::initializer_list<int> rows) {
        auto* list = child<QTreeWidget>(e, "suiListView_Label_2");
        list->clearSelection();
        for (int row : rows) list->topLevelItem(row)->setSelected(true);
    }

    TempDir dir;
    std::unique_ptr<Session> session;
    std::unique_ptr<WindowSet> windows;
    TextEffectWindow* editor = nullptr;
    MessageAnswerer answers;
};

TEST_F(TextEffectEditorTest, AddReportsTheFirstFailingCheckAndAddsNothing) {
    struct Case {
        std::vector<const char*> emptied;  // controls emptied before "添加特效"
        const char* message;
    };
    const Case cases[] = {
        {{"suiEdit_wenzi", "suiComboBox_fen", "suiComboBox_texiao", "suiComboBox_ziti",
          "suiComboBox_daxiao"},
         "没有输入文字内容！"},
        {{"suiComboBox_fen", "suiComboBox_texiao", "suiComboBox_ziti", "suiComboBox_daxiao"},
         "(文字出现时间)不能为空！"},
        {{"suiComboBox_miao"}, "(文字出现时间)不能为空！"},
        {{"suiComboBox_texiao", "suiComboBox_ziti", "suiComboBox_daxiao"}, "(文字特效)不能为空！"},
        {{"suiComboBox_ziti", "suiComboBox_daxiao"}, "(文字字体)不能为空！"},
        {{"suiComboBox_daxiao"}, "(文字大小)不能为空！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        answers.messages.clear();
        inEditor([&](TextEffectWindow* e) {
            for (const char* name : c.emptied) {
                if (auto* edit = e->findChild<QLineEdit*>(QString::fromLatin1(name)))
                    edit->clear();
                else
                    child<QComboBox>(e, name)->clear();
            }
            child<QPushButton>(e, "suiButton_tianjia")->click();
        });
        EXPECT_EQ(answers.messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_TRUE(editor->rows().empty());
    }
    EXPECT_TRUE(session->model().textEffects.empty());
}

TEST_F(TextEffectEditorTest, AddsTheDefaultsAndHandsTheTableOverOnClose) {
    inEditor([](TextEffectWindow* e) {
        // The placeholder itself is a text like any other.
        child<QPushButton>(e, "suiButton_tianjia")->click();
        child<QComboBox>(e, "suiComboBox_fen")->setCurrentIndex(1);
        child<QComboBox>(e, "suiComboBox_miao")->setCurrentIndex(30);
        child<QComboBox>(e, "suiComboBox_texiao")->setCurrentIndex(1);  // 从左下到右下
        child<QComboBox>(e, "suiComboBox_daxiao")->setCurrentIndex(5);
        child<QComboBox>(e, "suiComboBox_yanse")
            ->setCurrentIndex(
                child<QComboBox>(e, "suiComboBox_yanse")->findText(QStringLiteral("clRed")));
        e->findChild<QCheckBox*>(QStringLiteral("suiCheckBox_cuti"))->setChecked(true);
        addText(e, QStringLiteral("第二行"));
    });
    EXPECT_TRUE(answers.messages.isEmpty()) << answers.messages.join(';').toStdString();
    const auto& table = session->model().textEffects;
    ASSERT_EQ(table.size(), 2u);
    const TextEffect& first = table.at(0);
    EXPECT_EQ(first.text, QStringLiteral("此处输入文字"));
    EXPECT_EQ(first.startTime, QStringLiteral("00:00"));
    EXPECT_EQ(first.endTime, QStringLiteral("暂无"));
    EXPECT_EQ(first.runState, RunState::Stopped);
    EXPECT_EQ(first.motionKey, kMotionTopLeftToBottomRight);
    EXPECT_EQ(first.effectName, QStringLiteral("从左上向右下"));
    EXPECT_EQ(first.colorName, QStringLiteral("clWhite"));
    EXPECT_EQ(first.colorValue, QStringLiteral("16777215"));
    EXPECT_EQ(first.fontName, QStringLiteral("黑体"));
    EXPECT_EQ(first.fontSize, 10);
    EXPECT_EQ(first.bold, false);
    const TextEffect& second = table.at(1);
    EXPECT_EQ(second.startTime, QStringLiteral("01:30"));
    EXPECT_EQ(second.motionKey, kMotionLeftToRight);
    EXPECT_EQ(second.y, QStringLiteral("256"));
    EXPECT_EQ(second.fontSize, 15);
    EXPECT_EQ(second.colorName, QStringLiteral("clRed"));
    EXPECT_EQ(second.colorValue, QStringLiteral("255"));
    EXPECT_EQ(second.bold, true);

    // Emptied in the editor, the album's table is emptied on close.
    inEditor(
        [](TextEffectWindow* e) { child<QPushButton>(e, "suiButton_quanbushanchu")->click(); });
    EXPECT_TRUE(session->model().textEffects.empty());
}

TEST_F(TextEffectEditorTest, DeletingSeveralRowsKeepsListAndTableAligned) {
    inEditor([this](TextEffectWindow* e) {
        child<QPushButton>(e, "suiButton_shanchu")->click();  // nothing selected yet
        for (const char* text : {"a", "b", "c", "d", "e"}) addText(e, QString::fromLatin1(text));
        select(e, {1, 3});
        child<QPushButton>(e, "suiButton_shanchu")->click();
        EXPECT_EQ(rowTexts(e), (QStringList{"a", "c", "e"}));
        EXPECT_EQ(listTexts(e), rowTexts(e));
        select(e, {0, 2});
        child<QPushButton>(e, "suiButton_shanchu")->click();
        EXPECT_EQ(rowTexts(e), QStringList{"c"});
        EXPECT_EQ(listTexts(e), rowTexts(e));
    });
    EXPECT_EQ(answers.messages, QStringList{QStringLiteral("没有选中已添加的特效！")});
    ASSERT_EQ(session->model().textEffects.size(), 1u);
    EXPECT_EQ(session->model().textEffects.at(0).text, QStringLiteral("c"));
}

TEST_F(TextEffectEditorTest, PreviewAllEndsOnceEveryStartedTextHasStopped) {
    int lastTicks = 0;
    bool editingLocked = false, stopEnabled = false, labelShown = false, secondShown = false;
    bool ended = false;
    inEditor([&](TextEffectWindow* e) {
        child<QPushButton>(e, "suiButton_quanbuyulan")->click();  // empty table
        // Top to bottom: a short way down the 289-pixel area.
        auto* effects = child<QComboBox>(e, "suiComboBox_texiao");
        for (int i = 0; i < effects->count(); ++i)
            if (motionRowForEffectName(effects->itemText(i)) == 2) {
                effects->setCurrentIndex(i);
                break;
            }
        addText(e, QStringLiteral("早"));
        child<QComboBox>(e, "suiComboBox_miao")->setCurrentIndex(30);
        addText(e, QStringLiteral("晚"));
        child<QPushButton>(e, "suiButton_quanbuyulan")->click();
        editingLocked = !child<QPushButton>(e, "suiButton_tianjia")->isEnabled();
        stopEnabled = child<QPushButton>(e, "suiButton_tingzhiyulan")->isEnabled() &&
                      child<QPushButton>(e, "suiButton_fanhui")->isEnabled();
        QElapsedTimer clock;
        clock.start();
        while (e->previewing() && clock.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (!e->previewing()) break;
            lastTicks = e->preview()->ticks();
            if (QLabel* label = e->previewLabel(0)) labelShown |= label->isVisible();
            if (QLabel* label = e->previewLabel(1)) secondShown |= label->isVisible();
        }
        ended = !e->previewing();
        EXPECT_EQ(child<QLineEdit>(e, "Edit_shijian")->text(), QStringLiteral("00:00"));
        EXPECT_TRUE(child<QPushButton>(e, "suiButton_tianjia")->isEnabled());
        for (const TextEffect& row : e->rows()) EXPECT_EQ(row.runState, RunState::Stopped);
    });
    EXPECT_EQ(answers.messages, QStringList{QStringLiteral("没有添加文字特效!")});
    EXPECT_TRUE(editingLocked);
    EXPECT_TRUE(stopEnabled);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(labelShown);
    // It ended when the first text left the bottom, long before the second's
    // "00:30" (750 ticks); about 289 / 3 ticks.
    EXPECT_FALSE(secondShown);
    EXPECT_GT(lastTicks, 90);
    EXPECT_LT(lastTicks, 750);
}

TEST_F(TextEffectEditorTest, SinglePreviewMovesOnlyTheSelectedTextUntilStopped) {
    inEditor([&](TextEffectWindow* e) {
        addText(e, QStringLiteral("甲"));
        addText(e, QStringLiteral("乙"));
        select(e, {});
        child<QPushButton>(e, "suiButton_dangeyulan")->click();  // nothing selected
        select(e, {1});
        child<QPushButton>(e, "suiButton_dangeyulan")->click();
        ASSERT_TRUE(e->previewing());
        EXPECT_FALSE(child<QLabel>(e, "Label_wenzi")->isVisible());
        QElapsedTimer clock;
        clock.start();
        while (e->previewing() && e->preview()->ticks() < 10 && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(e->previewing());
        // Both start at 00:00; only the selected one runs: 3 right, 2 down a tick.
        const MovingText& moving = e->preview()->texts()[1];
        EXPECT_TRUE(moving.running());
        EXPECT_EQ(moving.position.y() + moving.label.height(), 2 * e->preview()->ticks());
        EXPECT_TRUE(e->previewLabel(1)->isVisible());
        EXPECT_FALSE(e->previewLabel(0)->isVisible());
        EXPECT_FALSE(e->preview()->texts()[0].running());
        child<QPushButton>(e, "suiButton_tingzhiyulan")->click();
        EXPECT_FALSE(e->previewing());
        EXPECT_TRUE(child<QLabel>(e, "Label_wenzi")->isVisible());
        EXPECT_EQ(child<QLineEdit>(e, "Edit_shijian")->text(), QStringLiteral("00:00"));
        EXPECT_EQ(e->findChildren<QLabel*>(QStringLiteral("Label_1")).size(), 0);
    });
    EXPECT_EQ(answers.messages, QStringList{QStringLiteral("没有选中已添加的特效！")});
}

TEST_F(TextEffectEditorTest, ListDragMovesTheSelectedBlock) {
    struct Case {
        const char* what;
        std::initializer_list<int> selected;
        int pressed;
        int target;
        QStringList expected;
    };
    const QStringList five{"1", "2", "3", "4", "5"};
    const Case cases[] = {
        {"rows 2 and 3 onto row 5", {1, 2}, 1, 4, {"1", "4", "2", "3", "5"}},
        {"onto the pressed row", {1, 2}, 2, 2, five},
        {"every row selected", {0, 1, 2, 3, 4}, 0, 3, five},
        {"below the last row", {0}, 0, 5, {"2", "3", "4", "5", "1"}},
    };
    inEditor([&](TextEffectWindow* e) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            child<QPushButton>(e, "suiButton_quanbushanchu")->click();
            for (const QString& text : five) addText(e, text);
            select(e, c.selected);
            e->dropSelectedRows(c.pressed, c.target);
            EXPECT_EQ(rowTexts(e), c.expected);
            EXPECT_EQ(listTexts(e), c.expected);
        }

        // The same drag with the mouse: press on the selected row 2, move,
        // release on row 5.
        child<QPushButton>(e, "suiButton_quanbushanchu")->click();
        for (const QString& text : five) addText(e, text);
        select(e, {1, 2});
        auto* list = child<QTreeWidget>(e, "suiListView_Label_2");
        QWidget* viewport = list->viewport();
        const QPoint from = list->visualItemRect(list->topLevelItem(1)).center();
        const QPoint to = list->visualItemRect(list->topLevelItem(4)).center();
        const auto send = [viewport](QEvent::Type type, QPoint at, Qt::MouseButton button,
                                     Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), button,
                              buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        EXPECT_TRUE(e->findChild<QLabel*>(QStringLiteral("Panel_tuodong1"))->isVisible());
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(rowTexts(e), (QStringList{"1", "4", "2", "3", "5"}));
        EXPECT_EQ(listTexts(e), rowTexts(e));
        EXPECT_FALSE(e->findChild<QLabel*>(QStringLiteral("Panel_tuodong1"))->isVisible());
    });
}

TEST_F(TextEffectEditorTest, ReopeningShowsTheProjectsTableNotTheLastOne) {
    inEditor([](TextEffectWindow* e) {
        addText(e, QStringLiteral("old one"));
        addText(e, QStringLiteral("old two"));
    });
    ASSERT_EQ(session->model().textEffects.size(), 2u);

    // Elsewhere (a project opened) the table becomes one other text.
    ProjectModel next = session->model();
    TextEffect other = next.textEffects.at(0);
    other.text = QStringLiteral("from the project");
    next.textEffects.assign({other});
    session->commit(std::move(next));
    QStringList shown;
    inEditor([&](TextEffectWindow* e) { shown = listTexts(e); });
    EXPECT_EQ(shown, QStringList{QStringLiteral("from the project")});
    // Closing hands the table back unchanged: the old rows stay gone.
    ASSERT_EQ(session->model().textEffects.size(), 1u);
    EXPECT_EQ(session->model().textEffects.at(0).text, QStringLiteral("from the project"));

    // A project without texts: the editor opens empty.
    next = session->model();
    next.textEffects.assign({});
    session->commit(std::move(next));
    inEditor([&](TextEffectWindow* e) {
        shown = listTexts(e);
        EXPECT_TRUE(e->rows().empty());
    });
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(session->model().textEffects.empty());
}

TEST_F(TextEffectEditorTest, CropWithoutPhotosSaysSo) {
    testing::triggerCommand(*windows, "相片剪裁");
    EXPECT_EQ(answers.messages, QStringList{QStringLiteral("没有添加相片文件！")});
}

}  // namespace
}  // namespace orvane
