// Files handed to the program when it starts, or dropped onto it: each is
// taken as a photo, a song, an LRC or a KSC file by its content or else its
// name, and every file that is not added is reported with its reason.

#include "session/media_files.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <functional>

#include "album_fixtures.h"
#include "job_fixtures.h"

namespace orvane {
namespace {

using namespace orvane::testing;

// What should become of a file: added to a table, or refused for a reason.
enum class Outcome { Photo, Song, Lyric, Karaoke, Missing, NotMedia, UnreadablePhoto };

struct FileCase {
    const char* name;
    std::function<void(JobWorld&, const fs::path&)> make;  // nullptr: no file
    Outcome outcome;
};

void jpeg(JobWorld& w, const fs::path& file) {
    writePhoto(w.in / "made.jpg", 400, 300, Qt::red);
    fs::rename(w.in / "made.jpg", file);
}

void text(JobWorld&, const fs::path& file) { writeFile(file, "[00:01.00]some words\n"); }

void empty(JobWorld&, const fs::path& file) { writeFile(file, ""); }

// The encoder takes the format from the name, so the song is made as
// "made.mp3" and then named.
void mp3(JobWorld& w, const fs::path& file) {
    writeSong(w.in / "made.mp3", 0.5);
    fs::rename(w.in / "made.mp3", file);
}

// An MP3 without its ID3 tag: it starts with an MPEG audio frame.
void bareMp3(JobWorld& w, const fs::path& file) {
    mp3(w, file);
    std::string bytes = readFile(file);
    ASSERT_EQ(bytes.substr(0, 3), "ID3");
    const auto size = [&bytes](int i) { return static_cast<unsigned char>(bytes[i]) & 0x7F; };
    const std::size_t tag = 10 + (size(6) << 21 | size(7) << 14 | size(8) << 7 | size(9));
    writeFile(file, bytes.substr(tag));
}

const FileCase kCases[] = {
    {"a.jpeg", jpeg, Outcome::Photo},
    {"b.jpe", jpeg, Outcome::Photo},
    {"c.jfif", jpeg, Outcome::Photo},
    {"D.JPG", jpeg, Outcome::Photo},
    {"e.Jpeg", jpeg, Outcome::Photo},
    {"really a jpeg.png", jpeg, Outcome::Photo},
    {"no extension", jpeg, Outcome::Photo},
    {"text.jpg", text, Outcome::UnreadablePhoto},
    {"empty.jpg", empty, Outcome::UnreadablePhoto},
    {"EMPTY.JFIF", empty, Outcome::UnreadablePhoto},
    {"empty", empty, Outcome::NotMedia},
    {"notes.txt", text, Outcome::NotMedia},
    {"gone.jpg", nullptr, Outcome::Missing},
    {"SONG.MP3", mp3, Outcome::Song},
    {"tagless tune", bareMp3, Outcome::Song},
    {"words.LRC", text, Outcome::Lyric},
    {"karaoke.Ksc", text, Outcome::Karaoke},
};

TEST(MediaFiles, EveryFileIsAddedByItsContentOrNameOrNamedWithItsReason) {
    JobWorld w;
    writePhotoStore(w.folder);
    w.open();
    QStringList files;
    for (const FileCase& c : kCases) {
        const fs::path file = w.in / toPath(QString::fromUtf8(c.name));
        if (c.make) c.make(w, file);
        files << toQString(file);
    }

    MediaFilesReport report;
    w.apply([&](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
        MediaPanes panes;
        auto added = addMediaFiles(model, folder, panes, files, progress);
        if (!added) return Result<void>(std::unexpected(added.error()));
        report = std::move(*added);
        return Result<void>();
    });

    const ProjectModel& model = w.session->model();
    QStringList photos, songs, lyrics, karaoke;
    for (const PhotoEntry& p : model.photos) photos << p.fileName + p.fileType;
    for (const MusicEntry& s : model.music) songs << s.fileName + s.fileType;
    for (const LyricEntry& l : model.lyrics) lyrics << l.fileName + l.fileType;
    for (const KaraokeEntry& k : model.karaoke) karaoke << QFileInfo(k.location).fileName();
    QList<RefusedFile> refused = report.refused;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const FileCase& c = kCases[i];
        const QString name = QString::fromUtf8(c.name);
        const auto refusal = std::find_if(refused.begin(), refused.end(),
                                          [&](const RefusedFile& r) { return r.file == files[i]; });
        const std::optional<RefusalReason> reason =
            refusal == refused.end() ? std::nullopt : std::optional(refusal->reason);
        if (refusal != refused.end()) refused.erase(refusal);
        switch (c.outcome) {
            case Outcome::Photo:
                EXPECT_TRUE(photos.contains(name)) << c.name;
                break;
            case Outcome::Song:
                EXPECT_TRUE(songs.contains(name)) << c.name;
                break;
            case Outcome::Lyric:
                EXPECT_TRUE(lyrics.contains(name)) << c.name;
                break;
            case Outcome::Karaoke:
                EXPECT_TRUE(karaoke.contains(name)) << c.name;
                break;
            case Outcome::Missing:
                EXPECT_EQ(reason, RefusalReason::Missing) << c.name;
                break;
            case Outcome::NotMedia:
                EXPECT_EQ(reason, RefusalReason::NotMedia) << c.name;
                break;
            case Outcome::UnreadablePhoto:
                EXPECT_EQ(reason, RefusalReason::UnreadablePhoto) << c.name;
                break;
        }
        const bool added = c.outcome == Outcome::Photo || c.outcome == Outcome::Song ||
                           c.outcome == Outcome::Lyric || c.outcome == Outcome::Karaoke;
        if (added) {
            EXPECT_EQ(reason, std::nullopt) << c.name << " was added and refused";
        }
    }
    // Nothing else was refused, and nothing else added.
    EXPECT_TRUE(refused.isEmpty()) << refused.front().file.toStdString();
    EXPECT_EQ(photos.size(), 7);
    EXPECT_EQ(songs.size(), 2);
    EXPECT_EQ(lyrics.size(), 1);
    EXPECT_EQ(karaoke.size(), 1);
    // The photo's names: without the extension, whatever its length.
    EXPECT_EQ(model.photos.at(0).fileName, QStringLiteral("a"));
    EXPECT_EQ(model.photos.at(0).fileType, QStringLiteral(".jpeg"));
    EXPECT_EQ(model.photos.at(6).fileName, QStringLiteral("no extension"));
    EXPECT_EQ(model.photos.at(6).fileType, QString());
    // The readers' own words stay with the facts, naming the file.
    for (const RefusedFile& r : report.refused)
        EXPECT_TRUE(r.detail.contains(r.file)) << r.detail.toStdString();
}

TEST(MediaFiles, FilesAreSortedByKindKeepingTheirOrder) {
    JobWorld w;
    const auto at = [&w](const char* name, auto make) {
        make(w, w.in / name);
        return toQString(w.in / name);
    };
    const QString b = at("b.JPG", jpeg), songFile = at("song.mp3", mp3), a = at("a.jpeg", jpeg),
                  words = at("words.LRC", text), k = at("k.ksc", text),
                  notes = at("notes.txt", text), two = at("two.Mp3", mp3),
                  jpgBak = at("x.jpg.bak", text);
    const MediaFilesByKind sorted = sortMediaFiles({b, songFile, a, words, k, notes, two, jpgBak});
    EXPECT_EQ(sorted.photos, QStringList({b, a}));
    EXPECT_EQ(sorted.songs, QStringList({songFile, two}));
    EXPECT_EQ(sorted.lyrics, QStringList({words}));
    EXPECT_EQ(sorted.karaoke, QStringList({k}));
    ASSERT_EQ(sorted.refused.size(), 2);
    EXPECT_EQ(sorted.refused[0].file, notes);
    EXPECT_EQ(sorted.refused[1].file, jpgBak);
}

}  // namespace
}  // namespace orvane
