// The template protocol: movie variables, loading pictures by content into
// named clips relative to the movie's folder, and the FSCommand "picture_0"
// arriving once the picture is in place.

#include <gtest/gtest.h>

#include <QImage>

#include "render/swf/flash_player.h"
#include "render/swf/swf_test_writer.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using namespace orvane::testing::swfw;

void writeBytes(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

void writeJpeg(const fs::path& path, const QImage& image) {
    fs::create_directories(path.parent_path());
    const QByteArray data = jpegBytes(image);
    writeFile(path, data.toStdString());
}

QImage solid(int w, int h, QColor c) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

bool near(QColor a, QColor b, int tolerance = 16) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// A template in the layout of the working folder: the movie in
// tp_wjj/tp_wjj/tp_wjj_3, the transition picture in tp_wjj/pic.
Bytes templateMovie() {
    MovieWriter m(320, 180);
    m.background(Qt::white);
    m.rectShape(1, QRectF(0, 0, 1, 1), solidFill(Qt::transparent));  // unused, keeps ids apart
    TagList empty;
    empty.showFrame();
    m.sprite(2, 1, empty);
    m.place(Place(1).id(2).named(QStringLiteral("pic0")));
    // The slot clip at (160, 90), shown at half size.
    m.place(Place(2)
                .id(2)
                .at(QTransform::fromScale(0.5, 0.5) * QTransform::fromTranslate(160 * 20, 90 * 20))
                .named(QStringLiteral("slot_1")));
    Actions a;
    a.constantPool({QStringLiteral("l_x_z_f_c"), QStringLiteral("l_x_z_f_c_s_y_w_j")});
    a.pushConstant(0).pushConstant(1).setVariableOp();
    a.loadMovie(QStringLiteral("../../pic/picture_0.rar"), QStringLiteral("pic0"));
    a.loadMovie(QStringLiteral("picture_1.rar"), QStringLiteral("slot_1"));
    a.fsCommand(QStringLiteral("picture_0"), QStringLiteral(""));
    m.doAction(a);
    m.showFrame();
    for (int f = 1; f < 10; ++f) m.showFrame();
    return m.finish(10);
}

TEST(PlayerProtocol, PicturesLoadByContentIntoTheirClipsBeforePicture0IsSent) {
    TempDir dir;
    const fs::path base = dir.path() / "smxcwjj" / "tp_wjj";
    const fs::path movie = base / "tp_wjj" / "tp_wjj_3" / "w_j_3.rar";
    writeBytes(movie, templateMovie());
    writeJpeg(base / "pic" / "picture_0.rar",
              solid(320, 180, QColor(200, 40, 40)));  // JPEG named .rar
    writeJpeg(base / "tp_wjj" / "tp_wjj_3" / "picture_1.rar", solid(100, 60, QColor(40, 40, 200)));

    FlashPlayer player;
    std::vector<QString> commands;
    QImage atPicture0;
    player.setFsCommandHandler([&](const QString& command, const QString& args) {
        commands.push_back(command + QLatin1Char('|') + args);
        if (command == QStringLiteral("picture_0")) atPicture0 = player.render(320, 180);
    });
    auto loaded = player.Movie(movie);
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message.toStdString();
    EXPECT_TRUE(player.loadWarnings().isEmpty())
        << player.loadWarnings().join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(commands, std::vector<QString>{QStringLiteral("picture_0|")});
    ASSERT_FALSE(atPicture0.isNull());
    // When "picture_0" arrives the transition picture already covers the stage.
    EXPECT_TRUE(near(atPicture0.pixelColor(10, 10), QColor(200, 40, 40)));
    // The slot picture: top-left at the clip's origin, its own size scaled by the clip.
    EXPECT_TRUE(near(atPicture0.pixelColor(162, 92), QColor(40, 40, 200)));
    EXPECT_TRUE(near(atPicture0.pixelColor(208, 118), QColor(40, 40, 200)));
    EXPECT_TRUE(near(atPicture0.pixelColor(213, 123), QColor(200, 40, 40)));
    EXPECT_TRUE(near(atPicture0.pixelColor(157, 100), QColor(200, 40, 40)));

    EXPECT_EQ(player.GetVariable(QStringLiteral("l_x_z_f_c")), QStringLiteral("l_x_z_f_c_s_y_w_j"));
    EXPECT_EQ(player.GetVariable(QStringLiteral("_root.l_x_z_f_c")),
              QStringLiteral("l_x_z_f_c_s_y_w_j"));
    EXPECT_EQ(player.GetVariable(QStringLiteral("no_such_variable")), QString());

    // The host's sequence: set a variable, show frame 20 (past the end), then 0.
    player.SetVariable(QStringLiteral("xc_alpha"), QStringLiteral("0"));
    ASSERT_TRUE(player.FrameNum(20).has_value());
    EXPECT_EQ(player.currentFrame(), 9);
    ASSERT_TRUE(player.FrameNum(0).has_value());
    player.Stop();
    EXPECT_EQ(player.GetVariable(QStringLiteral("xc_alpha")), QStringLiteral("0"));
    EXPECT_EQ(commands.size(), 2u);  // frame 0 ran again on the way back
    EXPECT_TRUE(near(player.render(320, 180).pixelColor(180, 100), QColor(40, 40, 200)));
}

TEST(PlayerProtocol, MissingPictureIsReportedAndTheMovieStillPlays) {
    TempDir dir;
    const fs::path movie = dir.path() / "a" / "b" / "w_j_1.rar";
    writeBytes(movie, templateMovie());
    writeFile(dir.path() / "a" / "b" / "picture_1.rar", "not a picture at all");
    FlashPlayer player;
    int picture0 = 0;
    player.setFsCommandHandler(
        [&](const QString& c, const QString&) { picture0 += c == QStringLiteral("picture_0"); });
    ASSERT_TRUE(player.Movie(movie).has_value());
    EXPECT_EQ(picture0, 1);
    ASSERT_EQ(player.loadWarnings().size(), 2);
    EXPECT_TRUE(player.loadWarnings()[0].contains(QStringLiteral("picture_0.rar")));
    EXPECT_TRUE(player.loadWarnings()[1].contains(QStringLiteral("picture_1.rar")));
    EXPECT_TRUE(player.FrameNum(5).has_value());
}

TEST(PlayerProtocol, HugePictureIsRefusedBeforeItIsRead) {
    TempDir dir;
    const fs::path movie = dir.path() / "a" / "b" / "w_j_1.rar";
    writeBytes(movie, templateMovie());
    const fs::path big = dir.path() / "a" / "b" / "picture_1.rar";
    writeFile(big, "");
    fs::resize_file(big, 1024ull * 1024 * 1024);  // sparse: nothing is written
    FlashPlayer player;
    ASSERT_TRUE(player.Movie(movie).has_value());
    const QString warnings = player.loadWarnings().join(QLatin1Char('\n'));
    EXPECT_TRUE(warnings.contains(QStringLiteral("picture_1.rar is too large")))
        << warnings.toStdString();
    EXPECT_TRUE(player.FrameNum(5).has_value());
}

// A template loads pictures only from its own folder and the transition
// folder "pic" two levels up; anything else on the disk is refused by name.
TEST(PlayerProtocol, PicturesOutsideTheTemplateFoldersAreRefused) {
    TempDir dir;
    const fs::path instance = dir.path() / "tp_wjj" / "tp_wjj" / "tp_wjj_1";
    const QImage red = [] {
        QImage i(8, 8, QImage::Format_RGB32);
        i.fill(Qt::red);
        return i;
    }();
    auto savePicture = [&](const fs::path& p) {
        fs::create_directories(p.parent_path());
        ASSERT_TRUE(red.save(QString::fromStdString(p.string()), "PNG"));
    };
    savePicture(instance / "picture_1.rar");
    savePicture(dir.path() / "tp_wjj" / "pic" / "picture_0.rar");
    savePicture(dir.path() / "secret.png");
    struct Case {
        QString url;
        bool loads;
    };
    const Case cases[] = {
        {QStringLiteral("picture_1.rar"), true},
        {QStringLiteral("../../pic/picture_0.rar"), true},
        {QStringLiteral("..\\..\\pic\\picture_0.rar"), true},
        {QStringLiteral("../../../secret.png"), false},
        {QStringLiteral("../tp_wjj_1/../../../secret.png"), false},
        {QString::fromStdString((dir.path() / "secret.png").string()), false},
        {QStringLiteral("file://") + QString::fromStdString((dir.path() / "secret.png").string()),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        MovieWriter m(100, 100);
        TagList inner;
        inner.showFrame();
        m.sprite(1, 1, inner);
        m.place(Place(1).id(1).named(QStringLiteral("slot")));
        Actions a;
        a.loadMovie(c.url, QStringLiteral("slot"));
        m.doAction(a);
        m.showFrame();
        const fs::path movie = instance / "w_j_1.rar";
        writeBytes(movie, m.finish(1));
        FlashPlayer player;
        ASSERT_TRUE(player.Movie(movie).has_value());
        const QString warnings = player.loadWarnings().join(QLatin1Char('\n'));
        if (c.loads) {
            EXPECT_TRUE(warnings.isEmpty()) << warnings.toStdString();
        } else {
            EXPECT_TRUE(warnings.contains(QStringLiteral("outside the template's folders")))
                << warnings.toStdString();
            EXPECT_TRUE(warnings.contains(c.url)) << warnings.toStdString();
        }
    }
}

TEST(PlayerProtocol, VariablesFollowTargetPathsAndSetTarget) {
    MovieWriter m(100, 100);
    TagList inner;
    inner.showFrame();
    m.sprite(1, 1, inner);
    m.place(Place(1).id(1).named(QStringLiteral("slot_1")));
    Actions a;
    a.setVariable(QStringLiteral("slot_1:size"), QStringLiteral("big"));
    a.setTarget(QStringLiteral("slot_1"))
        .setVariable(QStringLiteral("colour"), QStringLiteral("red"))
        .setTarget(QString());
    a.setVariable(QStringLiteral("/slot_1:shape"), QStringLiteral("round"));
    a.pushString(QStringLiteral("copy"))
        .pushString(QStringLiteral("_root.slot_1.colour"))
        .getVariable()
        .setVariableOp();
    a.setTarget(QStringLiteral("nowhere"))
        .setVariable(QStringLiteral("lost"), QStringLiteral("root"))
        .setTarget(QString());
    m.doAction(a);
    m.showFrame();
    TempDir dir;
    const fs::path path = dir.path() / "v.swf";
    writeBytes(path, m.finish(1));
    FlashPlayer player;
    ASSERT_TRUE(player.Movie(path).has_value());
    EXPECT_EQ(player.GetVariable(QStringLiteral("slot_1:size")), QStringLiteral("big"));
    EXPECT_EQ(player.GetVariable(QStringLiteral("slot_1:colour")), QStringLiteral("red"));
    EXPECT_EQ(player.GetVariable(QStringLiteral("_root.slot_1.shape")), QStringLiteral("round"));
    EXPECT_EQ(player.GetVariable(QStringLiteral("copy")), QStringLiteral("red"));
    EXPECT_EQ(player.GetVariable(QStringLiteral("lost")), QStringLiteral("root"));
    player.SetVariable(QStringLiteral("slot_1:colour"), QStringLiteral("blue"));
    EXPECT_EQ(player.GetVariable(QStringLiteral("/slot_1:colour")), QStringLiteral("blue"));
}

TEST(PlayerProtocol, StopActionsAndGotoInsideTheMovieAreObeyed) {
    // Frame 0 jumps to frame 3 (labelled actions skipped in between), which
    // sets a variable; a host jump replays the same.
    MovieWriter m(50, 50);
    Actions a0;
    a0.gotoFrame(3).play();
    m.doAction(a0);
    m.showFrame();
    for (int f = 1; f < 6; ++f) {
        Actions a;
        a.setVariable(QStringLiteral("seen"), QString::number(f));
        m.doAction(a);
        m.showFrame();
    }
    TempDir dir;
    const fs::path path = dir.path() / "g.swf";
    writeBytes(path, m.finish(6));
    FlashPlayer player;
    ASSERT_TRUE(player.Movie(path).has_value());
    EXPECT_EQ(player.currentFrame(), 3);
    EXPECT_EQ(player.GetVariable(QStringLiteral("seen")), QStringLiteral("3"));
    ASSERT_TRUE(player.FrameNum(5).has_value());
    EXPECT_EQ(player.GetVariable(QStringLiteral("seen")), QStringLiteral("5"));
}

}  // namespace
}  // namespace orvane
