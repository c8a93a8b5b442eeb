// orvane make: the whole road of an album, headless. Photos are imported and
// fitted into templates, songs, LRC and KSC lyrics, texts and pictures are
// added (or a saved project is opened, --project), and the album is rendered and encoded into
// OUTPUT (the format's extension is always appended, as the make commands do; a picture sequence
// goes into the new folder OUTPUT). A progress bar runs on standard error.
// Ctrl-C or any failure leaves nothing at the output path and exits non-zero
// with the reason. The run holds its working folder through a session.

#include <QElapsedTimer>
#include <QFileInfo>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

#include "audio/karaoke_files.h"
#include "audio/media_import.h"
#include "base/fonts.h"
#include "cli/cli.h"
#include "effects/motion_table.h"
#include "effects/picture_effect.h"
#include "effects/text_effect.h"
#include "photos/photo_import.h"
#include "render/album/album_build.h"
#include "session/project_open.h"
#include "templates/catalogue.h"

namespace orvane::cli {
namespace {

// Set by the SIGINT handler and read by the progress; a signal handler can
// only reach a lock-free object of static storage.
std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int) { g_interrupted.store(true); }

struct MakeOptions {
    std::string root;
    std::vector<std::string> photos, music, lrc, ksc, texts, pictures;
    // Empty: the default of a new album ("1280x720", "pal", "high", "photos",
    // "both"), or the saved project's choice.
    std::string format, size, tv, quality, sync, lyricKind;
    bool loopMusic = false, loopPictures = false, verbose = false;
    std::optional<std::uint64_t> seed;
    std::string output;
    std::string project;      // --project: make this saved project
    std::string saveProject;  // --save-project: save the project built
};

QString q(const std::string& text) { return QString::fromStdString(text); }

// Installs the Ctrl-C handler for the render and restores the old one.
class InterruptGuard {
   public:
    InterruptGuard() {
        g_interrupted.store(false);
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
        sigaction(SIGTERM, &action, &m_previousTerm);
    }
    ~InterruptGuard() {
        sigaction(SIGINT, &m_previous, nullptr);
        sigaction(SIGTERM, &m_previousTerm, nullptr);
    }

   private:
    struct sigaction m_previous {};
    struct sigaction m_previousTerm {};
};

// The progress bar: frames, frames per second and time left, on one line of
// standard error, redrawn at most five times a second.
class MakeProgress : public Progress {
   public:
    explicit MakeProgress(bool verbose) : m_verbose(verbose) {}

    void start(int steps, const QString& = {}) override {
        m_totalFrames = steps / 2;
        m_steps = 0;
        m_timer.start();
    }
    void advance(int steps) override {
        m_steps += steps;
        const int done = framesDone();
        if (done <= 0) return;
        if (m_firstFrameMs < 0) m_firstFrameMs = m_timer.elapsed();
        if (done < m_totalFrames && m_timer.elapsed() - m_lastDrawMs < 200) return;
        m_lastDrawMs = m_timer.elapsed();
        draw(done);
    }
    void notice(const QString& text) override { log(text); }
    void log(const QString& line) override {
        // Encoder progress lines feed the bar; everything else (a template
        // skipped, a file the overlays left out) is worth a line of its own.
        static const char* const routine[] = {"Frame: ",       "Processing time",  "Preparing",
                                              "Multiplexing",  "Total frames",     "Total samples",
                                              "Starting conv", "Conversion ended", "Reducing"};
        bool isRoutine = false;
        for (const char* prefix : routine)
            isRoutine = isRoutine || line.startsWith(QLatin1String(prefix));
        if (m_verbose || !isRoutine) {
            clearLine();
            std::cerr << line.toStdString() << std::endl;
            m_printed << line;
        }
    }
    bool isCancelled() const override { return g_interrupted.load(); }

    // Whether `line` went to standard error already (an encoder error is
    // logged and then returned as the failure).
    bool printed(const QString& line) const { return m_printed.contains(line); }
    void finish() {
        if (m_drawn) std::cerr << std::endl;
        m_drawn = false;
    }
    double framesPerSecond() const {
        const double seconds = (m_timer.elapsed() - std::max<qint64>(m_firstFrameMs, 0)) / 1000.0;
        return seconds > 0 ? framesDone() / seconds : 0.0;
    }

   private:
    int framesDone() const { return m_steps - m_totalFrames; }
    void clearLine() {
        if (m_drawn) std::cerr << "\r\033[K";
        m_drawn = false;
    }
    void draw(int done) {
        const double fps = framesPerSecond();
        const int left = fps > 0 ? static_cast<int>((m_totalFrames - done) / fps) : 0;
        constexpr int kWidth = 30;
        const int filled = m_totalFrames > 0 ? kWidth * done / m_totalFrames : kWidth;
        std::fprintf(stderr, "\r[%s%s] %d/%d frames  %.1f fps  %02d:%02d left\033[K",
                     std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(kWidth - filled), '.').c_str(), done,
                     m_totalFrames, fps, left / 60, left % 60);
        std::fflush(stderr);
        m_drawn = true;
    }

    bool m_verbose;
    int m_totalFrames = 0;
    int m_steps = 0;
    QElapsedTimer m_timer;
    qint64 m_lastDrawMs = -1000;
    qint64 m_firstFrameMs = -1;
    bool m_drawn = false;
    QStringList m_printed;
};

struct FormatChoice {
    OutputType outputType;
    QString pictureFormat;  // for picture sequences
};

FormatChoice formatChoice(const std::string& format) {
    const QString f = q(format).toUpper();
    for (auto type :
         {OutputType::Vcd, OutputType::Svcd, OutputType::Dvd, OutputType::Avi, OutputType::Mp4})
        if (f == outputTypeCaption(type)) return {type, {}};
    return {OutputType::PictureSequence, f};
}

OutputSize parseSize(const std::string& text, OutputType outputType) {
    const QStringList parts = q(text).toLower().split(QLatin1Char('x'));
    bool okW = false, okH = false;
    const OutputSize size{parts.size() == 2 ? parts[0].toInt(&okW) : 0,
                          parts.size() == 2 ? parts[1].toInt(&okH) : 0};
    QStringList offered;
    for (const OutputSize& s : outputSizes(outputType)) {
        if (okW && okH && s == size) return size;
        offered << QStringLiteral("%1x%2").arg(s.width).arg(s.height);
    }
    failWith(QStringLiteral("--size %1 is not offered for %2; choose one of %3")
                 .arg(q(text), outputTypeCaption(outputType), offered.join(QStringLiteral(", "))));
}

// "TEXT|mm:ss|motionKey[|colour|font|size[|x,y]]": x,y on the 1920 × 1080
// frame is the fixed place of the motion (the top of a left-right text, the
// left of a top-down one); the table's own place is used without it.
TextEffect parseText(const std::string& option) {
    const QStringList parts = q(option).split(QLatin1Char('|'));
    if (parts.size() < 3)
        failWith(
            QStringLiteral("--text \"%1\": expected TEXT|mm:ss|motionKey[|colour|font|size[|x,y]]")
                .arg(q(option)));
    TextEffectChoice choice;
    choice.text = parts[0];
    choice.startTime = parts[1];
    choice.motionKey = parts[2];
    if (parts.size() > 3 && !parts[3].isEmpty()) choice.colorName = parts[3];
    if (parts.size() > 4 && !parts[4].isEmpty()) choice.fontName = parts[4];
    if (parts.size() > 5 && !parts[5].isEmpty()) choice.fontSize = parts[5];
    if (!parseMinuteSecond(choice.startTime))
        failWith(QStringLiteral("--text \"%1\": the start time must be mm:ss").arg(q(option)));
    if (!isMotionKey(choice.motionKey)) {
        QStringList keys;
        for (const MotionRow& motion : motionTable()) keys << motion.motionKey;
        failWith(QStringLiteral("--text \"%1\": unknown motion \"%2\"; choose one of %3")
                     .arg(q(option), choice.motionKey, keys.join(QStringLiteral(", "))));
    }
    auto row = makeTextEffect(choice);
    if (!row) failWith(QStringLiteral("--text \"%1\": %2").arg(q(option), row.error().message));
    if (parts.size() > 6 && !parts[6].isEmpty()) {
        const QStringList place = parts[6].split(QLatin1Char(','));
        bool okX = false, okY = false;
        const int x = place.size() == 2 ? place[0].toInt(&okX) : 0;
        const int y = place.size() == 2 ? place[1].toInt(&okY) : 0;
        if (!okX || !okY || x < 0 || y < 0 || x > 1920 || y > 1080)
            failWith(QStringLiteral("--text \"%1\": the place must be x,y on the 1920 × 1080 "
                                    "frame")
                         .arg(q(option)));
        // Rows keep the editor's preview units.
        row->x = QString::number((x * kTextPreviewWidth + 960) / 1920);
        row->y = QString::number((y * kTextPreviewHeight + 540) / 1080);
    }
    return *row;
}

// "FILE|mm:ss|mm:ss|x,y" (the end "wu" runs to the album's end)
PictureEffect parsePicture(const std::string& option, int seqNo) {
    const QStringList parts = q(option).split(QLatin1Char('|'));
    if (parts.size() != 4)
        failWith(QStringLiteral("--picture \"%1\": expected FILE|mm:ss|mm:ss|x,y").arg(q(option)));
    if (!QFileInfo(parts[0]).isFile())
        failWith(QStringLiteral("--picture \"%1\": the picture %2 does not exist")
                     .arg(q(option), parts[0]));
    auto row = makePictureEffect(QFileInfo(parts[0]).absoluteFilePath(), parts[1], parts[2],
                                 parts[3], seqNo);
    if (!row) failWith(QStringLiteral("--picture \"%1\": %2").arg(q(option), row.error().message));
    return *row;
}

QStringList absolutePaths(const std::vector<std::string>& files) {
    QStringList out;
    for (const std::string& file : files) out << QFileInfo(q(file)).absoluteFilePath();
    return out;
}

// The readers' own messages, one a line.
QString refusalDetails(const QList<RefusedFile>& refused) {
    QStringList lines;
    for (const RefusedFile& r : refused) lines << r.detail;
    return lines.join(QLatin1Char('\n'));
}

Result<void> addSongsAndLyrics(ProjectModel& model, const WorkingFolder& folder,
                               const MakeOptions& o, Progress& progress) {
    MediaPanes panes;
    if (!o.music.empty()) {
        auto songs = importSongs(model, folder, panes, absolutePaths(o.music), progress);
        if (!songs) return std::unexpected(songs.error());
        if (!songs->skipped.isEmpty()) return fail(refusalDetails(songs->skipped));
    }
    if (!o.lrc.empty()) {
        // Checked up front like the songs and KSC files: an album made
        // without the lyrics asked for is not a success.
        for (const QString& file : absolutePaths(o.lrc))
            if (!QFileInfo(file).isFile())
                return fail(QStringLiteral("The lyric file %1 does not exist.").arg(file));
        auto lyrics = importLyrics(model, folder, panes, absolutePaths(o.lrc), progress);
        if (!lyrics) return std::unexpected(lyrics.error());
        if (!lyrics->skipped.isEmpty()) return fail(refusalDetails(lyrics->skipped));
    }
    if (!o.ksc.empty()) {
        for (const QString& file : absolutePaths(o.ksc))
            if (!QFileInfo(file).isFile())
                return fail(QStringLiteral("The karaoke file %1 does not exist.").arg(file));
        addKaraokeFiles(model, absolutePaths(o.ksc));
    }
    return {};
}

std::string orDefault(const std::string& value, const char* fallback) {
    return value.empty() ? std::string(fallback) : value;
}

// Writes the command's output choices into `settings`; with `onlyGiven`
// (a saved project) only the options given on the command line.
void applyOutputOptions(AlbumSettings& settings, const MakeOptions& o, bool onlyGiven) {
    if (!o.format.empty()) {
        const FormatChoice format = formatChoice(o.format);
        settings.outputType = format.outputType;
        if (!format.pictureFormat.isEmpty()) settings.imageSequenceFormat = format.pictureFormat;
    }
    if (!onlyGiven || !o.size.empty()) {
        const OutputSize size = parseSize(orDefault(o.size, "1280x720"), settings.outputType);
        settings.outputWidth = size.width;
        settings.outputHeight = size.height;
    }
    if (!onlyGiven || !o.tv.empty())
        settings.tvSystem = o.tv == "ntsc" ? TvSystem::Ntsc : TvSystem::Pal;
    if (!onlyGiven || !o.quality.empty())
        settings.quality = o.quality == "normal" ? Quality::Normal : Quality::High;
}

void applyAlbumOptions(AlbumSettings& settings, const MakeOptions& o) {
    const std::string sync = orDefault(o.sync, "photos");
    settings.syncMode = sync == "music" ? SyncMode::Music : SyncMode::Photos;
    settings.loopMusicToFill = o.loopMusic;
    // Photo length clears the picture loop, as the album duration window does.
    settings.loopPicturesToFill = o.loopPictures && sync == "music";
    settings.lyricKind = o.lyricKind == "lrc"   ? LyricKind::Lrc
                         : o.lyricKind == "ksc" ? LyricKind::Karaoke
                                                : LyricKind::Both;
}

QString outputPathFor(const MakeOptions& o, const AlbumSettings& settings) {
    const QString output =
        QFileInfo(q(o.output)).absoluteFilePath() + albumExtension(settings.outputType);
    if (settings.outputType == OutputType::PictureSequence && QFileInfo::exists(output))
        failWith(QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
    return output;
}

// Prints the notices of opening a project (media left out, new templates).
class NoticePrinter : public NullProgress {
   public:
    void notice(const QString& text) override { printError(text); }
};

// The settings, texts and pictures of a new album, checked before the
// working folder is touched.
ProjectModel draftFromOptions(const MakeOptions& o) {
    if (o.photos.empty()) failWith(QStringLiteral("没有添加相片文件！"));
    if (o.format.empty()) failWith(QStringLiteral("--format is required without --project"));
    ProjectModel draft;
    applyOutputOptions(draft.settings, o, false);
    applyAlbumOptions(draft.settings, o);
    for (std::size_t i = 0; i < o.texts.size(); ++i)
        draft.textEffects.append(parseText(o.texts[i]));
    for (std::size_t i = 0; i < o.pictures.size(); ++i)
        draft.pictureEffects.append(parsePicture(o.pictures[i], static_cast<int>(i) + 1));
    outputPathFor(o, draft.settings);
    return draft;
}

// Builds the project of a new album in the session from the options.
void buildProject(Session& session, const MakeOptions& o, const ProjectModel& draft) {
    ProjectModel project = session.model();
    project.settings = draft.settings;
    project.textEffects = draft.textEffects;
    project.pictureEffects = draft.pictureEffects;
    if (o.seed) project.random.reseed(*o.seed);
    session.commit(std::move(project));

    NullProgress quiet;
    auto imported = session.apply(
        [&o](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
            auto photos = importPhotos(model, folder, absolutePaths(o.photos), progress);
            if (!photos) return Result<void>(std::unexpected(photos.error()));
            for (const QString& notice : photos->unplaced) printError(notice);
            return addSongsAndLyrics(model, folder, o, progress);
        },
        quiet);
    if (!imported) failWith(imported.error().message);
}

// Opens the saved project in the session; the output options given override
// its settings.
void openSavedProject(Session& session, const MakeOptions& o) {
    const bool mixed = !o.photos.empty() || !o.music.empty() || !o.lrc.empty() || !o.ksc.empty() ||
                       !o.texts.empty() || !o.pictures.empty() || !o.sync.empty() ||
                       !o.lyricKind.empty() || o.loopMusic || o.loopPictures;
    if (mixed)
        failWith(QStringLiteral(
            "--project makes a saved project as it is: only --format, --size, --tv, --quality, "
            "--seed, --save-project and -o may be given with it"));
    if (o.seed) {
        ProjectModel seeded = session.model();
        seeded.random.reseed(*o.seed);
        session.commit(std::move(seeded));
    }
    NoticePrinter notices;
    auto opened = session.apply(openProjectOperation(q(o.project)), notices);
    if (!opened) failWith(opened.error().message);
    ProjectModel project = session.model();
    applyOutputOptions(project.settings, o, true);
    session.commit(std::move(project));
}

// The album was made, but some templates could not be played and are missing.
constexpr int kExitTemplatesSkipped = 3;

void runMake(const MakeOptions& o) {
    std::optional<ProjectModel> draft;
    if (o.project.empty()) draft = draftFromOptions(o);
    installFontSubstitutions();
    // The session cleans the run's working files (staged templates,
    // thumbnails) when it ends, whichever way.
    const auto session = openSession(o.root, QStringLiteral("make"));
    if (draft)
        buildProject(*session, o, *draft);
    else
        openSavedProject(*session, o);
    const QString output = outputPathFor(o, session->model().settings);

    if (!o.saveProject.empty()) {
        const QString file = QFileInfo(q(o.saveProject)).absoluteFilePath();
        if (auto saved = saveProject(session->model(), session->folder(), file); !saved)
            failWith(saved.error().message);
        std::cerr << "saved the project " << file.toStdString() << std::endl;
    }

    MakeProgress progress(o.verbose);
    Result<AlbumReport> album;
    {
        InterruptGuard interrupts;
        AlbumRequest request;
        request.output = output;
        album = makeAlbum(session->model(), session->folder(), request, progress);
    }
    progress.finish();
    if (!album) {
        const int status = album.error().isStop() ? 130 : 1;
        if (progress.printed(album.error().message)) throw CLI::RuntimeError(status);
        failWith(album.error().message, status);
    }
    std::cerr << "made " << album->frames << " frames at "
              << QString::number(progress.framesPerSecond(), 'f', 1).toStdString()
              << " frames per second" << std::endl;
    if (album->replacedExisting)
        std::cerr << "replaced an existing file: " << output.toStdString() << std::endl;
    std::cout << album->outputPath.toStdString() << std::endl;
    if (!album->skippedTemplates.isEmpty()) {
        std::cerr << "the album was made without " << album->skippedTemplates.size()
                  << " template(s) that could not be played:" << std::endl;
        for (const QString& movie : album->skippedTemplates)
            std::cerr << "  " << movie.toStdString() << std::endl;
        throw CLI::RuntimeError(kExitTemplatesSkipped);
    }
}

}  // namespace

void addMakeCommand(CLI::App& app) {
    auto* command = app.add_subcommand("make",
                                       "make an album video (or picture sequence) from "
                                       "photos, songs, lyrics and texts");
    command->footer(
        "Exit status: 0 the album was made; 3 it was made, but templates that could not be "
        "played were left out (named on standard error); 130 stopped; 1 or another value: "
        "failed, nothing at OUTPUT.");
    auto o = std::make_shared<MakeOptions>();
    addRootOption(*command, o->root);
    command->add_option("--photos", o->photos, "JPEG photos, in album order");
    command->add_option("--music", o->music, "MP3 songs, in album order");
    command->add_option("--lrc", o->lrc, "LRC lyric files, bound to the songs by position");
    command->add_option("--ksc", o->ksc, "KSC karaoke files, song k takes file k");
    command->add_option("--text", o->texts,
                        "a moving text: \"TEXT|mm:ss|motionKey[|colour|font|size[|x,y]]\" (x,y "
                        "on the 1920x1080 frame: the top of a left-right text, the left of a "
                        "top-down one)");
    command->add_option(
        "--picture", o->pictures,
        "a picture over the frames: \"FILE|mm:ss|mm:ss|x,y\" (end \"wu\": to the end)");
    command
        ->add_option("--format", o->format,
                     "vcd, svcd, dvd, avi, mp4 (H.264 + AAC), or a picture sequence: jpg, "
                     "bmp, tga, pcx")
        ->transform(CLI::detail::to_lower)
        ->check(CLI::IsMember({"vcd", "svcd", "dvd", "avi", "mp4", "jpg", "bmp", "tga", "pcx"}));
    command->add_option("--size", o->size,
                        "picture size WxH from the format's list (default 1280x720; MP4 offers "
                        "320x176 up to 1920x1080 as DVD does)");
    command->add_option("--tv", o->tv, "pal (default) or ntsc")
        ->check(CLI::IsMember({"pal", "ntsc"}));
    command->add_option("--quality", o->quality, "high (default) or normal")
        ->check(CLI::IsMember({"high", "normal"}));
    command
        ->add_option("--sync", o->sync,
                     "the album lasts as long as the photos (default) or the music")
        ->check(CLI::IsMember({"photos", "music"}));
    command->add_flag("--loop-music", o->loopMusic, "repeat the songs until the pictures end");
    command->add_flag("--loop-pictures", o->loopPictures,
                      "with --sync music: repeat the templates until the music ends");
    command->add_option("--lyric-kind", o->lyricKind, "with KSC files: lrc, ksc or both (default)")
        ->check(CLI::IsMember({"lrc", "ksc", "both"}));
    command->add_option("--seed", o->seed, "seed of the random template draws");
    command->add_flag("--verbose", o->verbose, "print every encoder log line");
    command
        ->add_option("-o,--output", o->output,
                     "output file (the format's extension is appended) or picture folder")
        ->required();
    command->add_option("--save-project", o->saveProject,
                        "also save the project built (photos with their templates, songs, "
                        "lyrics, texts, pictures, settings) to this .orvane file, before the "
                        "album is rendered");
    command->add_option("--project", o->project,
                        "make a project saved with --save-project (instead of --photos and the "
                        "other inputs); --format, --size, --tv and --quality override its "
                        "settings; files that moved are named and left out");
    command->callback([o] { runMake(*o); });
}

}  // namespace orvane::cli
