// The karaoke editor KaraokeEditorWindow with KaraokeInitWindow, KaraokeStyleWindow and
// KaraokeMatchWindow: import through the file chooser, removal of selected entries with
// renumbering, the settings window writing an entry's look, "查看匹配" rows, the preview sweep in
// time with the song, and rows placed in the preview panel landing in the settings and in the
// album's frames.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "album_fixtures.h"
#include "gui/lyrics/karaoke_editor_window.h"
#include "gui/lyrics/karaoke_init_window.h"
#include "gui/lyrics/karaoke_match_window.h"
#include "gui/lyrics/karaoke_panel.h"
#include "gui/lyrics/karaoke_style_window.h"
#include "gui/shell/file_chooser.h"
#include "lyric_windows_fixture.h"
#include "render/album/album_preview.h"
#include "support/media_fixtures.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class AnsweringChooser : public FileChooser {
   public:
    QStringList openFiles(QWidget*, const QString& title, const QString& filter,
                          const QString&) override {
        asked << title + QLatin1Char('|') + filter;
        return answer;
    }
    QString saveFile(QWidget*, const QString&, const QString&) override { return {}; }
    QStringList answer;
    QStringList asked;
};

class KaraokeEditorTest : public LyricWindowsTest {
   protected:
    void SetUp() override {
        LyricWindowsTest::SetUp();
        ASSERT_TRUE(session);
        player = manualPlayer();
        editor = std::make_unique<KaraokeEditorWindow>(*session, skin, *player, messageWindow);
        editor->setHelpers(init, style, match, [this]() -> FileChooser& { return chooser; });
    }
    QStringList names() const {
        QStringList out;
        for (const KaraokeEntry& e : session->model().karaoke) out << e.index + ":" + e.name;
        return out;
    }
    QString ksc(const char* name, const std::string& content) {
        const fs::path file = dir.path() / (std::string(name) + ".ksc");
        writeFile(file, content);
        return toQString(file);
    }
    void addSong(const char* name, double seconds) {
        const fs::path file = dir.path() / (std::string(name) + ".mp3");
        Mp3Options options;
        options.seconds = seconds;
        makeMp3(file, options);
        ProjectModel next = session->model();
        MusicEntry song;
        song.fileName = QString::fromLatin1(name);
        song.location = toQString(file);
        next.music.append(song);
        session->commit(std::move(next));
    }

    std::unique_ptr<MediaPlayer> player;
    KaraokeInitWindow init{skin};
    KaraokeStyleWindow style{skin};
    KaraokeMatchWindow match{skin};
    AnsweringChooser chooser;
    std::unique_ptr<KaraokeEditorWindow> editor;
};

TEST_F(KaraokeEditorTest, ImportsThroughTheChooserAndRemovesTheSelectedEntriesRenumbered) {
    editor->prepare();
    for (const char* n : {"a", "b", "c", "d", "e"}) chooser.answer << ksc(n, "");
    editor->importFiles();
    EXPECT_EQ(chooser.asked, QStringList("导入卡拉OK歌词|导入卡拉OK歌词文件 (KSC)|*.ksc;*.KSC;"));
    ASSERT_EQ(editor->list()->topLevelItemCount(), 5);
    EXPECT_EQ(editor->list()->topLevelItem(2)->text(1), "c");
    EXPECT_EQ(editor->list()->topLevelItem(2)->text(6), "使用");
    EXPECT_EQ(editor->list()->topLevelItem(2)->text(7), "无");
    EXPECT_EQ(editor->list()->topLevelItem(2)->text(10), "简体");

    answerNextMessage();
    editor->removeSelected();
    EXPECT_EQ(names().size(), 5);

    editor->list()->topLevelItem(1)->setSelected(true);
    editor->list()->topLevelItem(3)->setSelected(true);
    answerNextMessage();
    editor->removeSelected();
    EXPECT_EQ(names(), QStringList({"1:a", "2:c", "3:e"}));
    ASSERT_EQ(editor->list()->topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(editor->list()->topLevelItem(i)->text(0), QString::number(i + 1));

    answerNextMessage();
    editor->removeAll();
    EXPECT_TRUE(session->model().karaoke.empty());
    answerNextMessage();
    editor->removeAll();
    EXPECT_EQ(messages, QStringList({"没有选中卡拉OK歌词文件！", "卡拉OK歌词已经删除！",
                                     "导入的卡拉OK歌词已全部删除！", "没有导入卡拉OK歌词文件！"}));
}

TEST_F(KaraokeEditorTest, TheSettingsWindowWritesTheClickedEntryInItsEncodings) {
    editor->prepare();
    chooser.answer << ksc("a", "") << ksc("b", "");
    editor->importFiles();
    answerNextMessage();
    editor->editStyle();
    // A click beside the entries chooses none.
    answerNextMessage();
    QTest::mouseClick(editor->list()->viewport(), Qt::LeftButton, {}, QPoint(5, 120));
    EXPECT_EQ(messages, QStringList({"没有选中卡拉OK歌词文件！", "没有选中卡拉OK歌词！"}));

    editor->clickEntry(1);
    whenShown(QStringLiteral("TForm48"), [&](QWidget* w) {
        EXPECT_EQ(find<QComboBox>(w, "ColorBox_xuanran_yanse")->currentText(), "clBlue");
        EXPECT_EQ(find<QComboBox>(w, "ComboBox_geci_daxiao")->currentText(), "25");
        EXPECT_TRUE(find<QCheckBox>(w, "CheckBox_cuti")->isChecked());
        find<QComboBox>(w, "ColorBox_geci_yanse")->setCurrentText(QStringLiteral("clYellow"));
        find<QComboBox>(w, "ColorBox_xuanran_yanse")->setCurrentText(QStringLiteral("clRed"));
        find<QComboBox>(w, "ComboBox_geci_daxiao")->setCurrentText(QStringLiteral("30"));
        find<QCheckBox>(w, "CheckBox_xieti")->setChecked(true);
        find<QRadioButton>(w, "RadioButton_fanti")->setChecked(true);
        click(w, "Button_queding");
    });
    editor->editStyle();
    const KaraokeEntry& e = session->model().karaoke.at(1);
    EXPECT_EQ(e.colorName, "clYellow");
    EXPECT_EQ(e.colorValue, "65535");
    EXPECT_EQ(e.fillColorName, "clRed");
    EXPECT_EQ(e.fillColorValue, "255");
    EXPECT_EQ(e.fontSize, 30);
    EXPECT_EQ(e.bold, true);
    EXPECT_EQ(e.italic, true);
    EXPECT_EQ(e.underline, false);
    EXPECT_EQ(e.script, KaraokeScript::Traditional);
    EXPECT_EQ(editor->list()->topLevelItem(1)->text(10), "繁体");
    EXPECT_EQ(session->model().karaoke.at(0).colorName, "clWhite");

    // "默认" and "取消": nothing is written.
    whenShown(QStringLiteral("TForm48"), [&](QWidget* w) {
        click(w, "Button_moren_yanse");
        click(w, "Button_quxiao");
    });
    editor->editStyle();
    EXPECT_EQ(session->model().karaoke.at(1).colorName, "clYellow");
}

TEST_F(KaraokeEditorTest, ViewMatchPairsSongsAndKaraokeByPosition) {
    ProjectModel next = session->model();
    for (int i = 1; i <= 5; ++i) {
        MusicEntry song;
        song.fileName = QStringLiteral("song%1").arg(i);
        next.music.append(song);
    }
    for (int i = 1; i <= 3; ++i) {
        KaraokeEntry k;
        k.name = QStringLiteral("ksc%1").arg(i);
        next.karaoke.append(k);
    }
    session->commit(next);
    editor->prepare();
    whenShown(QStringLiteral("TForm51"), [&](QWidget* w) {
        auto* list = find<QTreeWidget>(w, "ListView_pipei");
        ASSERT_EQ(list->topLevelItemCount(), 5);
        const QStringList expected[] = {{"1", "song1", "<--->", "ksc1"},
                                        {"2", "song2", "<--->", "ksc2"},
                                        {"3", "song3", "<--->", "ksc3"},
                                        {"4", "song4", "<--->", ""},
                                        {"5", "song5", "<--->", ""}};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c)
                EXPECT_EQ(list->topLevelItem(r)->text(c), expected[r][c]) << r << "," << c;
        click(w, "Button_queding");
    });
    editor->showMatches();
}

TEST_F(KaraokeEditorTest, ThePreviewShowsTheLineAndSweepsItInTimeWithTheSong) {
    addSong("tune", 6.0);
    chooser.answer << ksc("line",
                          "karaoke.add('00:01.000', '00:03.000', '你好朋友', "
                          "'500,500,500,500');\n");
    editor->prepare();
    // The first opening calibrates the preview timer; the controls wait for it.
    EXPECT_FALSE(editor->list()->isEnabled());
    for (int i = 0; i < 300 && !editor->calibrated(); ++i) QTest::qWait(10);
    ASSERT_TRUE(editor->calibrated());
    EXPECT_TRUE(editor->list()->isEnabled());
    // Later openings do not calibrate again.
    const int ticks = editor->ticksPerSecond();
    editor->prepare();
    EXPECT_TRUE(editor->list()->isEnabled());
    EXPECT_EQ(editor->ticksPerSecond(), ticks);
    editor->importFiles();
    editor->chooseSong(0);
    editor->play();  // the first entry is previewed when none was clicked

    const KaraokeTimeline& t = editor->panel()->timeline();
    const auto at = [&](std::int64_t ms) {
        clock->now = ms;
        editor->tick();
    };
    at(300);  // 00:00: the line appears one second before it starts
    EXPECT_EQ(editor->currentTime()->text(), "00:00:00");
    EXPECT_TRUE(t.rowA().base.visible);
    EXPECT_EQ(t.rowA().sweep.rect.width(), 0);
    const int full = t.rowA().base.rect.width();
    at(1000);  // 00:01: the sweep starts
    at(2000);  // half the line is sung
    const int half = t.rowA().sweep.rect.width();
    EXPECT_GT(half, 0);
    EXPECT_LT(half, full);
    at(2900);
    EXPECT_GT(t.rowA().sweep.rect.width(), half);
    at(4000);  // 00:04: hidden one second after its end
    EXPECT_FALSE(t.rowA().base.visible);

    editor->stopPreview();
    EXPECT_EQ(editor->currentTime()->text(), "00:00:00");
    EXPECT_EQ(player->positionMs(), 0);
}

TEST_F(KaraokeEditorTest, ARowMovedInThePanelIsStoredAndShowsUpMovedInAnAlbumFrame) {
    editor->prepare();
    KaraokePanel* panel = editor->panel();
    EXPECT_EQ(panel->rows().rowALeft, 75);
    EXPECT_EQ(panel->rows().rowATop, 338);
    EXPECT_EQ(panel->rows().rowBTop, 388);

    // Drag row A's mark 200 pixels up and 25 to the right.
    const QPoint grab = panel->rowARect().topLeft() + QPoint(10, 5);
    QTest::mousePress(panel, Qt::LeftButton, {}, grab);
    QTest::mouseMove(panel, grab + QPoint(25, -200));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, grab + QPoint(25, -200));
    const AlbumSettings& s = session->model().settings;
    EXPECT_EQ(s.karaokeRowALeft, 100 * 1920 / 800);
    EXPECT_EQ(s.karaokeRowATop, 138 * 1080 / 450);
    EXPECT_EQ(s.karaokeRowBTop, 931);
    // The next opening places the row where it was left.
    editor->prepare();
    EXPECT_EQ(panel->rows().rowATop, 138);

    // The album draws row A there: a frame of a small album with a karaoke line.
    const fs::path albumRoot = dir.path() / "album";
    fs::create_directories(albumRoot);
    const WorkingFolder folder(albumRoot);
    writeStore(folder, {35}, 60);
    writePhoto(albumRoot / "a.jpg", 800, 600, Qt::black);
    ProjectModel model = importedProject(folder, {albumRoot / "a.jpg"});
    model.settings.outputWidth = 640;
    model.settings.outputHeight = 360;
    writeSong(albumRoot / "song.mp3", 4.0);
    addSongs(model, folder, {albumRoot / "song.mp3"});
    writeFile(albumRoot / "line.ksc",
              "karaoke.add('00:01.000', '00:03.000', '你好朋友', '500,500,500,500');\n");
    KaraokeEntry karaoke;
    karaoke.location = toQString(albumRoot / "line.ksc");
    model.karaoke.append(karaoke);
    model.settings.lyricKind = LyricKind::Karaoke;

    // Frame 20 (00:00, the line shown on row A) with the default and the moved rows.
    const auto rowBand = [](const QImage& frame, int top) {
        return meanColour(frame, QRect(60, top, 200, 20)).lightness();
    };
    AlbumPreview defaults(model, folder);
    const QImage before = defaults.frame(20, QSize(640, 360)).value();
    model.settings.karaokeRowALeft = s.karaokeRowALeft;
    model.settings.karaokeRowATop = s.karaokeRowATop;
    model.settings.karaokeRowBTop = s.karaokeRowBTop;
    AlbumPreview moved(model, folder);
    const QImage after = moved.frame(20, QSize(640, 360)).value();
    // Row A's top: 811 / 3 ≈ 270 by default, 331 / 3 ≈ 110 moved, on the 360-pixel frame.
    EXPECT_GT(rowBand(before, 272), rowBand(after, 272) + 10);
    EXPECT_GT(rowBand(after, 112), rowBand(before, 112) + 10);
}

}  // namespace
}  // namespace orvane
