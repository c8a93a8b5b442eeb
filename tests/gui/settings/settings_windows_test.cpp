// The settings windows and the summary panel, offscreen: each choice reaches
// the session, the summary follows, the documented rules hold and the windows
// keep their state between showings.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "gui/album/album_length_window.h"
#include "gui/album/output_size_window.h"
#include "gui/empty_session.h"
#include "gui/main/summary_panel.h"
#include "gui/settings/other_settings_window.h"
#include "gui/shell/skin.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using testing::TempDir;

class SettingsWindowsTest : public ::testing::Test {
   protected:
    void SetUp() override {
        session = testing::openEmptySession(dir.path());
        ASSERT_TRUE(session);
        panel = std::make_unique<SummaryPanel>(*session);
    }

    template <typename T>
    static T* find(QWidget* window, const char* name) {
        auto* w = window->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            ADD_FAILURE() << "no widget " << name << " in " << window->objectName().toStdString();
        return w;
    }
    QString summary(int line) const {
        auto* label = panel->findChild<QLabel*>(QStringLiteral("Label_zongjie_%1").arg(line));
        return label ? label->text() : QStringLiteral("<no Label_zongjie_%1>").arg(line);
    }
    const AlbumSettings& settings() const { return session->model().settings; }
    void withSongs(int count) {
        ProjectModel next = session->model();
        next.music.clear();
        for (int i = 0; i < count; ++i) next.music.append(MusicEntry{});
        session->commit(std::move(next));
    }
    // Runs `act` on the next turn of the event loop, inside a modal exec().
    static void soon(std::function<void()> act) { QTimer::singleShot(0, std::move(act)); }
    static void press(QWidget* w, int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }

    TempDir dir;
    Skin skin{1.0};
    std::unique_ptr<Session> session;
    std::unique_ptr<SummaryPanel> panel;
};

TEST_F(SettingsWindowsTest, TheOutputSizeIsTheDefaultOfEachMakeAndEachEntryIsWritten) {
    OutputSizeWindow window(*session, skin);
    auto* sizes = find<QListWidget>(&window, "suiListBox_chicun");
    auto* sizeText = find<QLabel>(&window, "Label_chicun");
    auto* typeText = find<QLabel>(&window, "Label_leixing");
    ASSERT_TRUE(sizes && sizeText && typeText);

    window.prepare(OutputType::Dvd);
    window.show();
    ASSERT_EQ(sizes->count(), 8);
    EXPECT_EQ(sizes->currentRow(), 4);
    EXPECT_EQ(sizes->item(7)->text(), "1920 × 1080");
    EXPECT_EQ(
        QString::number(settings().outputWidth) + "x" + QString::number(settings().outputHeight),
        "1280x720");
    EXPECT_EQ(sizeText->text(), "1280 × 720");
    EXPECT_EQ(typeText->text(), "DVD");
    EXPECT_EQ(window.width(), 660);
    EXPECT_EQ(window.height(), 290);

    const quint64 before = session->revision(ProjectTable::Settings);
    sizes->setCurrentRow(6);
    EXPECT_EQ(
        QString::number(settings().outputWidth) + "x" + QString::number(settings().outputHeight),
        "1600x896");
    EXPECT_EQ(sizeText->text(), "1600 × 896");
    EXPECT_GT(session->revision(ProjectTable::Settings), before);
    window.hide();

    // The next make is a VCD: its own list, its default entry.
    window.prepare(OutputType::Vcd);
    window.show();
    ASSERT_EQ(sizes->count(), 5);
    EXPECT_EQ(sizes->item(4)->text(), "1280 × 720");
    EXPECT_EQ(sizes->currentRow(), 4);
    EXPECT_EQ(settings().outputType, OutputType::Vcd);
    EXPECT_EQ(
        QString::number(settings().outputWidth) + "x" + QString::number(settings().outputHeight),
        "1280x720");
    EXPECT_EQ(sizeText->text(), "1280 × 720");
    EXPECT_EQ(typeText->text(), "VCD");

    sizes->setCurrentRow(0);
    EXPECT_EQ(
        QString::number(settings().outputWidth) + "x" + QString::number(settings().outputHeight),
        "320x176");
    find<QPushButton>(&window, "suiButton_moren")->click();
    EXPECT_EQ(
        QString::number(settings().outputWidth) + "x" + QString::number(settings().outputHeight),
        "1280x720");
    EXPECT_EQ(sizes->currentRow(), 4);
    EXPECT_EQ(sizeText->text(), "1280 × 720");
}

TEST_F(SettingsWindowsTest, APictureSequenceAlsoAsksForTheImageFormat) {
    OutputSizeWindow window(*session, skin);
    auto* formats = find<QListWidget>(&window, "suiListBox_geshi");
    auto* typeText = find<QLabel>(&window, "Label_leixing");
    ASSERT_TRUE(formats && typeText);

    window.prepare(OutputType::PictureSequence);
    window.show();
    EXPECT_TRUE(formats->isVisible());
    EXPECT_EQ(window.width(), 730);
    EXPECT_EQ(typeText->text(), "JPG");

    formats->setCurrentRow(1);
    EXPECT_EQ(settings().imageSequenceFormat, "BMP");
    EXPECT_EQ(typeText->text(), "BMP");
    find<QListWidget>(&window, "suiListBox_chicun")->setCurrentRow(7);
    find<QPushButton>(&window, "suiButton_moren")->click();
    EXPECT_EQ(settings().imageSequenceFormat, "JPG");
    EXPECT_EQ(typeText->text(), "JPG");
    EXPECT_EQ(
        QString::number(settings().outputWidth) + "x" + QString::number(settings().outputHeight),
        "1280x720");

    formats->setCurrentRow(3);
    window.hide();
    window.prepare(OutputType::Avi);
    window.show();
    EXPECT_FALSE(formats->isVisible());
    EXPECT_EQ(window.width(), 660);
    EXPECT_EQ(typeText->text(), "AVI");
    window.hide();
    // The format chosen for the last sequence is kept for the next one.
    window.prepare(OutputType::PictureSequence);
    window.show();
    EXPECT_EQ(typeText->text(), "PCX");
    EXPECT_EQ(formats->currentRow(), 3);
}

TEST_F(SettingsWindowsTest, StartGoesOnAndTheCloseControlOrEscCancels) {
    OutputSizeWindow window(*session, skin);
    auto* marker = find<QLineEdit>(&window, "Edit_quxiao");
    ASSERT_TRUE(marker);

    soon([&] { window.close(); });
    EXPECT_FALSE(window.askBeforeMaking(OutputType::Dvd));
    EXPECT_TRUE(window.cancelled());
    EXPECT_EQ(marker->text(), "quxiao");

    // The next make clears the marker before it asks.
    soon([&] { find<QPushButton>(&window, "suiButton_kaishizhizuo")->click(); });
    EXPECT_TRUE(window.askBeforeMaking(OutputType::Dvd));
    EXPECT_EQ(marker->text(), "");

    soon([&] { press(&window, Qt::Key_Escape); });
    EXPECT_FALSE(window.askBeforeMaking(OutputType::Svcd));
    EXPECT_EQ(marker->text(), "quxiao");

    soon([&] { press(&window, Qt::Key_Return); });
    EXPECT_TRUE(window.askBeforeMaking(OutputType::Svcd));
    EXPECT_FALSE(window.cancelled());
}

TEST_F(SettingsWindowsTest, AlbumLengthChoicesReachTheSessionAndTheSummary) {
    withSongs(2);
    AlbumLengthWindow window(*session, skin);
    auto* photos = find<QRadioButton>(&window, "suiRadioButton_xiangpian_changdu");
    auto* music = find<QRadioButton>(&window, "suiRadioButton_yinyue_changdu");
    auto* loopMusic = find<QCheckBox>(&window, "suiCheckBox_yinyue_xunhuan");
    auto* loopPictures = find<QCheckBox>(&window, "suiCheckBox_huamian_xunhuan");
    ASSERT_TRUE(photos && music && loopMusic && loopPictures);
    window.show();
    EXPECT_TRUE(photos->isChecked());
    EXPECT_FALSE(loopPictures->isEnabled());  // only an album that follows the music loops
    EXPECT_EQ(summary(6), "相片为准");

    music->click();
    EXPECT_EQ(settings().syncMode, SyncMode::Music);
    EXPECT_EQ(summary(6), "音乐为准");
    ASSERT_TRUE(loopPictures->isEnabled());
    loopPictures->click();
    loopMusic->click();
    EXPECT_TRUE(settings().loopPicturesToFill);
    EXPECT_TRUE(settings().loopMusicToFill);

    // Photo length clears the picture loop and leaves the music loop.
    photos->click();
    EXPECT_EQ(settings().syncMode, SyncMode::Photos);
    EXPECT_FALSE(settings().loopPicturesToFill);
    EXPECT_TRUE(settings().loopMusicToFill);
    EXPECT_FALSE(loopPictures->isChecked());
    EXPECT_TRUE(loopMusic->isChecked());
    EXPECT_EQ(summary(6), "相片为准");

    // With songs the choices are kept between showings.
    music->click();
    loopPictures->click();
    window.hide();
    window.show();
    EXPECT_TRUE(music->isChecked());
    EXPECT_TRUE(loopPictures->isChecked());
    EXPECT_TRUE(loopMusic->isChecked());
    EXPECT_EQ(settings().syncMode, SyncMode::Music);
}

TEST_F(SettingsWindowsTest, WithoutSongsTheAlbumLengthWindowOpensOnPhotoLength) {
    withSongs(1);
    AlbumLengthWindow window(*session, skin);
    window.show();
    find<QRadioButton>(&window, "suiRadioButton_yinyue_changdu")->click();
    find<QCheckBox>(&window, "suiCheckBox_yinyue_xunhuan")->click();
    find<QCheckBox>(&window, "suiCheckBox_huamian_xunhuan")->click();
    window.hide();
    ASSERT_TRUE(settings().loopPicturesToFill);

    withSongs(0);
    window.show();
    EXPECT_TRUE(find<QRadioButton>(&window, "suiRadioButton_xiangpian_changdu")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(&window, "suiCheckBox_yinyue_xunhuan")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(&window, "suiCheckBox_huamian_xunhuan")->isChecked());
    EXPECT_EQ(settings().syncMode, SyncMode::Photos);
    EXPECT_FALSE(settings().loopMusicToFill);
    EXPECT_FALSE(settings().loopPicturesToFill);
    EXPECT_EQ(summary(6), "相片为准");
}

TEST_F(SettingsWindowsTest, EveryOtherSettingReachesTheSessionAndTheSummary) {
    OtherSettingsWindow window(*session, skin);
    window.show();
    struct Case {
        const char* button;
        std::function<bool(const AlbumSettings&)> holds;
        int summaryLine;  // 0: not in the summary
        const char* summaryText;
    };
    const Case cases[] = {
        {"suiRadioButton_NTSC", [](auto& s) { return s.tvSystem == TvSystem::Ntsc; }, 5,
         "NTSC制式"},
        {"suiRadioButton_PAL", [](auto& s) { return s.tvSystem == TvSystem::Pal; }, 5, "PAL制式"},
        {"suiRadioButton_yiban_huazhi", [](auto& s) { return s.quality == Quality::Normal; }, 4,
         "一般画质"},
        {"suiRadioButton_gaoqing_huazhi", [](auto& s) { return s.quality == Quality::High; }, 4,
         "高清画质"},
        {"suiRadioButton_hengzhaopian_moren",
         [](auto& s) { return s.landscapeCrop == LandscapeCrop::TemplateDefault; }, 0, ""},
        {"suiRadioButton_hengzhaopian_quanping",
         [](auto& s) { return s.landscapeCrop == LandscapeCrop::FullScreen; }, 0, ""},
        {"suiRadioButton_shuzhaopian_moren",
         [](auto& s) { return s.portraitCrop == PortraitCrop::TemplateDefault; }, 0, ""},
        {"suiRadioButton_shuzhaopian_jubufangda",
         [](auto& s) { return s.portraitCrop == PortraitCrop::ZoomedPart; }, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        auto* button = find<QRadioButton>(&window, c.button);
        ASSERT_TRUE(button);
        const TvSystem tv = settings().tvSystem;
        button->click();
        EXPECT_TRUE(button->isChecked());
        EXPECT_TRUE(c.holds(settings()));
        if (c.summaryLine) {
            EXPECT_EQ(summary(c.summaryLine), QString::fromUtf8(c.summaryText));
        } else {
            EXPECT_EQ(settings().tvSystem, tv);  // a crop style leaves the TV system alone
        }
    }
}

TEST_F(SettingsWindowsTest, OtherSettingsShowTheSessionsSettingsAndKeepThem) {
    OtherSettingsWindow window(*session, skin);
    window.show();
    EXPECT_TRUE(find<QRadioButton>(&window, "suiRadioButton_PAL")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(&window, "suiRadioButton_gaoqing_huazhi")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(&window, "suiRadioButton_hengzhaopian_quanping")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(&window, "suiRadioButton_shuzhaopian_jubufangda")->isChecked());
    find<QRadioButton>(&window, "suiRadioButton_yiban_huazhi")->click();
    find<QRadioButton>(&window, "suiRadioButton_shuzhaopian_moren")->click();
    window.hide();

    // Changed elsewhere while the window was closed (the make command's --tv).
    ProjectModel next = session->model();
    next.settings.tvSystem = TvSystem::Ntsc;
    session->commit(std::move(next));

    window.show();
    EXPECT_TRUE(find<QRadioButton>(&window, "suiRadioButton_NTSC")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(&window, "suiRadioButton_yiban_huazhi")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(&window, "suiRadioButton_shuzhaopian_moren")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(&window, "suiRadioButton_hengzhaopian_quanping")->isChecked());
}

TEST_F(SettingsWindowsTest, TheSummaryPanelFollowsEveryTable) {
    EXPECT_EQ(panel->objectName(), "Panel_qitaxiangguan");
    QStringList lines;
    for (int line : {4, 6, 7, 8, 5}) lines << summary(line);
    EXPECT_EQ(lines, (QStringList{"高清画质", "相片为准", "0 个", "0 个", "PAL制式"}));

    ProjectModel next = session->model();
    next.textEffects.append(TextEffect{});
    next.pictureEffects.append(PictureEffect{});
    next.pictureEffects.append(PictureEffect{});
    session->commit(std::move(next));
    EXPECT_EQ(summary(7), "1 个");
    EXPECT_EQ(summary(8), "2 个");
}

TEST_F(SettingsWindowsTest, CaptionsAreAccessibleNamesAndEnterOrEscCloses) {
    AlbumLengthWindow length(*session, skin);
    OtherSettingsWindow other(*session, skin);
    OutputSizeWindow size(*session, skin);
    const std::pair<QDialog*, const char*> windows[] = {
        {&length, "相册时长"}, {&other, "其它设置"}, {&size, "输出相册尺寸"}};
    for (const auto& [window, caption] : windows) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(caption));
        EXPECT_EQ(window->accessibleName(), QString::fromUtf8(caption));
        for (auto* button : window->findChildren<QAbstractButton*>())
            EXPECT_EQ(button->accessibleName(), button->text())
                << button->objectName().toStdString();
    }

    soon([&] { press(&length, Qt::Key_Return); });
    EXPECT_EQ(length.exec(), QDialog::Accepted);
    soon([&] { press(&other, Qt::Key_Escape); });
    EXPECT_EQ(other.exec(), QDialog::Rejected);
    EXPECT_FALSE(other.isVisible());
}

}  // namespace
}  // namespace orvane
