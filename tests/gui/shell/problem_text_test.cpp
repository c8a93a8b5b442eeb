// What the windows say about each problem the core reports: Chinese, made
// from the facts (the file or folder named, the other party's words), never
// the core's English; an unknown problem in Chinese too. And the make-album
// log lines as the window words them.

#include "gui/shell/problem_text.h"

#include <gtest/gtest.h>

#include "gui/album/album_log_text.h"

namespace orvane {
namespace {

TEST(ProblemText, EveryKnownProblemIsWordedInChineseFromItsFacts) {
    struct Case {
        Problem problem;
        const char* subject;
        const char* detail;
        const char* shown;
    };
    const Case cases[] = {
        {Problem::WorkingFolderMissing, "/srv/smxcwjj", "", "找不到工作文件夹：/srv/smxcwjj"},
        {Problem::WorkingFolderInUse, "/srv/smxcwjj", "orvane make",
         "工作文件夹 /srv/smxcwjj 正被另一个 Orvane 程序（orvane make）使用，请等它结束后再试，"
         "或使用另一个工作文件夹。"},
        {Problem::WorkingFolderInUse, "/srv/smxcwjj", "",
         "工作文件夹 /srv/smxcwjj 正被另一个 Orvane 程序使用，请等它结束后再试，"
         "或使用另一个工作文件夹。"},
        {Problem::WorkingFolderUnlockable, "/srv/smxcwjj", "Permission denied",
         "无法锁定工作文件夹 /srv/smxcwjj：Permission denied"},
        {Problem::OutputFolderMissing, "/home/u/gone", "", "保存相册的文件夹不存在：/home/u/gone"},
        {Problem::OutputFolderReadOnly, "/media/cd", "", "保存相册的文件夹无法写入：/media/cd"},
        {Problem::AlbumBeingMade, "", "", "正在制作另一个相册，请等它完成后再制作。"},
        {Problem::EncoderSettings, "", "width 321 is odd",
         "相册编码失败：输出设置无法编码。\nwidth 321 is odd"},
        {Problem::EncoderSource, "", "cannot decode a.mp3",
         "相册编码失败：无法读取相册的画面或音乐。\ncannot decode a.mp3"},
        {Problem::EncoderFailed, "", "", "相册编码失败：编码器无法运行。"},
        {Problem::EncoderOutput, "", "No space left on device",
         "相册编码失败：无法写入保存的文件。\nNo space left on device"},
        {Problem::TemplateUnplayable, "/w/w_j_1.rar", "not a movie", "模板 /w/w_j_1.rar 无法播放"},
        {Problem::LyricUnreadable, "/m/a.lrc", "cannot open /m/a.lrc",
         "歌词文件 /m/a.lrc 无法读取"},
        {Problem::KaraokeUnreadable, "/m/a.ksc", "", "卡拉OK歌词文件 /m/a.ksc 无法读取"},
        {Problem::PictureUnreadable, "/p/b.png", "", "画面特效图片 /p/b.png 无法读取"},
        {Problem::PictureTooLarge, "/p/b.png", "", "画面特效图片 /p/b.png 太大"},
        {Problem::PictureTimesInvalid, "/p/b.png", "", "画面特效图片 /p/b.png 的显示时间无效"},
        {Problem::TextMotionUnknown, "你好", "sideways",
         "文字特效“你好”的运动方式“sideways”无法识别"},
    };
    for (const Case& c : cases) {
        const UserError error =
            problemError(c.problem, QStringLiteral("the core's English words"),
                         QString::fromUtf8(c.subject), QString::fromUtf8(c.detail));
        EXPECT_EQ(problemText(error), QString::fromUtf8(c.shown)) << c.shown;
    }
}

TEST(ProblemText, AnUnknownProblemIsStillChinese) {
    // The program's own Chinese messages are shown as they are.
    EXPECT_EQ(problemText(UserError{QStringLiteral("没有添加相片文件！")}),
              QStringLiteral("没有添加相片文件！"));
    EXPECT_EQ(problemText(UserError{QStringLiteral("输入的文件名存在, 请更换保存的文件名！")}),
              QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
    // Anything else follows a Chinese lead, even when it names a Chinese file.
    EXPECT_EQ(problemText(UserError{QStringLiteral("cannot write /home/用户/a.orvane")}),
              QStringLiteral("操作未能完成：cannot write /home/用户/a.orvane"));
}

TEST(ProblemText, RefusedTemplatesAndPartsLeftOutAreListedOnePerLine) {
    const std::vector<RefusedTemplate> refused{
        {QStringLiteral("/s/p1.rar"), QStringLiteral("parameter package without a movie package"),
         RefusalCause::NoMovie},
        {QStringLiteral("/s/m2.rar"), QStringLiteral("movie package without a parameter package"),
         RefusalCause::NoParameters},
        {QStringLiteral("/s/p3.rar"), QStringLiteral("inflate failed"), RefusalCause::Damaged},
        {QStringLiteral("/s/p4.rar"), QStringLiteral("no marker"), RefusalCause::NoMarker},
    };
    EXPECT_EQ(refusedTemplatesText(refused), QStringLiteral("以下模板无法使用，已略过：\n"
                                                            "/s/p1.rar：缺少对应的模板动画包\n"
                                                            "/s/m2.rar：缺少对应的模板参数包\n"
                                                            "/s/p3.rar：模板包已损坏\n"
                                                            "/s/p4.rar：模板参数没有有效标记"));

    const std::vector<UserError> leftOut{
        problemError(Problem::TemplateUnplayable, {}, QStringLiteral("/w/w_j_1.rar")),
        problemError(Problem::LyricUnreadable, {}, QStringLiteral("/m/a.lrc")),
    };
    EXPECT_EQ(leftOutText(leftOut), QStringLiteral("相册已制作，但以下内容未能使用：\n"
                                                   "模板 /w/w_j_1.rar 无法播放\n"
                                                   "歌词文件 /m/a.lrc 无法读取"));
}

TEST(AlbumLogText, TheWindowWordsEveryLogLineInChinese) {
    auto line = [](AlbumLogKind kind) {
        AlbumLogLine l;
        l.kind = kind;
        l.english = QStringLiteral("English words");
        return l;
    };
    AlbumLogLine frames = line(AlbumLogKind::TotalFrames);
    frames.count = 170;
    AlbumLogLine samples = line(AlbumLogKind::TotalSamples);
    samples.count = 299880;
    AlbumLogLine progress = line(AlbumLogKind::EncoderProgress);
    progress.status = MclStatus::Frame;
    progress.a = 250;
    progress.b = 441000;
    progress.time = QStringLiteral("00:01:02");
    AlbumLogLine elapsed = line(AlbumLogKind::EncoderProgress);
    elapsed.status = MclStatus::ProcessingTime;
    elapsed.time = QStringLiteral("00:00:12");
    AlbumLogLine muxing = line(AlbumLogKind::EncoderProgress);
    muxing.status = MclStatus::Multiplexing;
    muxing.c = 100;
    AlbumLogLine skipped = line(AlbumLogKind::TemplateSkipped);
    skipped.problem = problemError(Problem::TemplateUnplayable, {}, QStringLiteral("/w/w_j_1.rar"),
                                   QStringLiteral("not a movie"));
    AlbumLogLine lyric = line(AlbumLogKind::LeftOut);
    lyric.problem = problemError(Problem::LyricUnreadable, {}, QStringLiteral("/m/a.lrc"));
    AlbumLogLine warning = line(AlbumLogKind::TemplateWarning);

    const std::pair<AlbumLogLine, const char*> cases[] = {
        {frames, "总帧数：170"},
        {samples, "总采样数：299880"},
        {line(AlbumLogKind::ConversionStarted), "开始编码..."},
        {line(AlbumLogKind::ConversionEnded), "编码结束。"},
        {line(AlbumLogKind::NothingToConvert), "没有需要编码的内容。"},
        {progress, "帧：250，采样：441000，剩余时间：00:01:02"},
        {elapsed, "编码用时：00:00:12"},
        {muxing, "正在合成音视频：100%"},
        {skipped, "模板 /w/w_j_1.rar 无法播放，已跳过（not a movie）"},
        {lyric, "歌词文件 /m/a.lrc 无法读取，未使用"},
        {warning, "模板动画提示：English words"},
    };
    for (const auto& [logLine, shown] : cases) {
        EXPECT_EQ(chineseLogText(logLine), QString::fromUtf8(shown)) << shown;
        EXPECT_EQ(englishLogText(logLine), QStringLiteral("English words"));
    }
}

}  // namespace
}  // namespace orvane
