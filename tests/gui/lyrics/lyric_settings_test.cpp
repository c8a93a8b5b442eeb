// LyricSettingsWindow "歌词设置": the controls show the lyric's stored attributes (the
// import defaults included), the sample follows every change by the
// placement rule, "确定" writes the nine fields in their encodings, "取消"
// writes nothing and the "默认" buttons bring back the defaults.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "audio/lyric_style.h"
#include "base/fonts.h"
#include "gui/lyrics/lyric_label.h"
#include "gui/lyrics/lyric_settings_window.h"
#include "lyric_windows_fixture.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class LyricSettingsTest : public LyricWindowsTest {
   protected:
    void SetUp() override {
        LyricWindowsTest::SetUp();
        ASSERT_TRUE(session);
        ProjectModel next = session->model();
        for (const char* name : {"one", "two"}) {
            LyricEntry lyric;  // the import's values
            lyric.fileName = QString::fromLatin1(name);
            lyric.bold = true;
            lyric.hAlign = LyricHAlign::Centre;
            lyric.vAlign = LyricVAlign::Bottom;
            next.lyrics.append(lyric);
        }
        session->commit(std::move(next));
    }
    const LyricEntry& lyric(int row) const {
        return session->model().lyrics.at(static_cast<std::size_t>(row));
    }
    static bool checked(QWidget* w, const char* name) {
        auto* b = w->findChild<QAbstractButton*>(QString::fromLatin1(name));
        return b && b->isChecked();
    }
};

TEST_F(LyricSettingsTest, OpensOnTheStoredValuesAndOkWritesEveryFieldOfThatLyricOnly) {
    LyricSettingsWindow window(*session, skin);
    whenShown(QStringLiteral("TForm16"), [&](QWidget* w) {
        EXPECT_EQ(find<QComboBox>(w, "ColorBox_geci_yanse")->currentText(), "clWhite");
        EXPECT_EQ(find<QComboBox>(w, "ComboBox_geci_ziti")->currentText(), "黑体");
        auto* size = find<QComboBox>(w, "ComboBox_geci_daxiao");
        EXPECT_EQ(size->count(), 31);
        EXPECT_EQ(size->currentText(), "10");
        EXPECT_TRUE(checked(w, "CheckBox_cuti"));
        EXPECT_FALSE(checked(w, "CheckBox_xieti"));
        EXPECT_FALSE(checked(w, "CheckBox_xiahuaxian"));
        EXPECT_TRUE(checked(w, "RadioButton_juzhong"));
        EXPECT_TRUE(checked(w, "RadioButton_xiamian"));
        // The sample sits centred at the bottom of the 513 × 289 panel.
        const QRect sample = window.sampleLabel()->geometry();
        EXPECT_EQ(sample.left(), (513 - sample.width()) / 2);
        EXPECT_EQ(sample.top(), 289 - sample.height() - 10);

        find<QComboBox>(w, "ColorBox_geci_yanse")->setCurrentText(QStringLiteral("clRed"));
        size->setCurrentText(QStringLiteral("20"));
        find<QCheckBox>(w, "CheckBox_cuti")->setChecked(false);
        find<QCheckBox>(w, "CheckBox_xieti")->setChecked(true);
        find<QCheckBox>(w, "CheckBox_xiahuaxian")->setChecked(true);
        find<QRadioButton>(w, "RadioButton_youbian")->setChecked(true);
        find<QRadioButton>(w, "RadioButton_shangmian")->setChecked(true);
        // The sample follows at once: size 20 at the panel's own scale, right and top.
        const QRect moved = window.sampleLabel()->geometry();
        EXPECT_EQ(window.sampleLabel()->textFont().pixelSize(), pointsToPixels(20));
        EXPECT_EQ(moved.left(), 513 - moved.width() - 10);
        EXPECT_EQ(moved.top(), 10);
        click(w, "Button_queding");
    });
    EXPECT_TRUE(window.editLyric(1));

    const LyricEntry& l = lyric(1);
    EXPECT_EQ(l.colorName, "clRed");
    EXPECT_EQ(l.colorValue, "255");
    EXPECT_EQ(l.fontName, "黑体");
    EXPECT_EQ(l.fontSize, 20);
    EXPECT_EQ(l.bold, false);
    EXPECT_EQ(l.italic, true);
    EXPECT_EQ(l.underline, true);
    EXPECT_EQ(l.hAlign, LyricHAlign::Right);
    EXPECT_EQ(l.vAlign, LyricVAlign::Top);
    EXPECT_EQ(lyric(0).colorName, "clWhite");
    EXPECT_EQ(lyric(0).hAlign, LyricHAlign::Centre);
}

TEST_F(LyricSettingsTest, CancelStoresNothingAndTheDefaultButtonsRestoreTheImportLook) {
    ProjectModel next = session->model();
    LyricEntry& styled = next.lyrics.at(0);
    styled.colorName = QStringLiteral("clYellow");
    styled.colorValue = QStringLiteral("65535");
    styled.fontSize = 33;
    styled.bold = false;
    styled.italic = true;
    styled.hAlign = LyricHAlign::Left;
    styled.vAlign = LyricVAlign::Middle;
    session->commit(next);
    const LyricEntry before = lyric(0);

    LyricSettingsWindow window(*session, skin);
    whenShown(QStringLiteral("TForm16"), [&](QWidget* w) {
        EXPECT_EQ(find<QComboBox>(w, "ColorBox_geci_yanse")->currentText(), "clYellow");
        EXPECT_EQ(find<QComboBox>(w, "ComboBox_geci_daxiao")->currentText(), "33");
        EXPECT_TRUE(checked(w, "RadioButton_zuobian"));
        EXPECT_TRUE(checked(w, "RadioButton_zhongjian"));
        find<QComboBox>(w, "ComboBox_geci_daxiao")->setCurrentText(QStringLiteral("12"));
        click(w, "Button_quxiao");
    });
    EXPECT_FALSE(window.editLyric(0));
    EXPECT_EQ(lyric(0), before);

    whenShown(QStringLiteral("TForm16"), [&](QWidget* w) {
        for (const char* b :
             {"Button_moren_yanse", "Button_moren_ziti", "Button_moren_daxiao",
              "Button_moren_zixing", "Button_moren_shuiping", "Button_moren_chuizhi"})
            click(w, b);
        click(w, "Button_queding");
    });
    EXPECT_TRUE(window.editLyric(0));
    LyricEntry defaults = before;
    defaults.colorName = QStringLiteral("clWhite");
    defaults.colorValue = QStringLiteral("16777215");
    defaults.fontName = QStringLiteral("黑体");
    defaults.fontSize = 10;
    defaults.bold = true;
    defaults.italic = false;
    defaults.underline = false;
    defaults.hAlign = LyricHAlign::Centre;
    defaults.vAlign = LyricVAlign::Bottom;
    EXPECT_EQ(lyric(0), defaults);
}

TEST_F(LyricSettingsTest, APlacementOfNoButtonIsKeptWhenTheWindowStores) {
    ProjectModel next = session->model();
    next.lyrics.at(0).hAlign = LyricHAlign::Unset;
    session->commit(next);
    LyricSettingsWindow window(*session, skin);
    whenShown(QStringLiteral("TForm16"), [&](QWidget* w) {
        EXPECT_FALSE(checked(w, "RadioButton_zuobian") || checked(w, "RadioButton_juzhong") ||
                     checked(w, "RadioButton_youbian"));
        click(w, "Button_queding");
    });
    EXPECT_TRUE(window.editLyric(0));
    EXPECT_EQ(lyric(0).hAlign, LyricHAlign::Unset);
}

}  // namespace
}  // namespace orvane
