#include "job_fixtures.h"

#include <gtest/gtest.h>

#include "album_fixtures.h"
#include "package_writer.h"
#include "photos/jpeg_writer.h"
#include "support/template_store.h"

namespace orvane::testing {

std::map<std::string, std::string> workingTree(const WorkingFolder& folder) {
    // The template store and the lock stay as they are whatever a job does.
    auto out = folderListing(folder.base());
    std::erase_if(out, [&folder](const auto& entry) {
        const std::string& path = entry.first;
        return path.starts_with("wj_0_or_2/wjj_01") || path.starts_with("wj_0_or_2/wjj_02") ||
               path == folder.sessionLockFile().filename().string();
    });
    return out;
}

void expectSameProject(const ProjectModel& actual, const ProjectModel& expected) {
    EXPECT_TRUE(actual.photos == expected.photos);
    EXPECT_TRUE(actual.photoWorking == expected.photoWorking);
    EXPECT_TRUE(actual.catalogue == expected.catalogue);
    EXPECT_TRUE(actual.landscapeTemplates == expected.landscapeTemplates);
    EXPECT_TRUE(actual.portraitTemplates == expected.portraitTemplates);
    EXPECT_TRUE(actual.advancedTemplates == expected.advancedTemplates);
    EXPECT_TRUE(actual.landscapePool == expected.landscapePool);
    EXPECT_TRUE(actual.portraitPool == expected.portraitPool);
    EXPECT_EQ(actual.templateInstanceCount, expected.templateInstanceCount);
    EXPECT_EQ(actual.stagingReset, expected.stagingReset);
    EXPECT_EQ(actual.unpackCounter, expected.unpackCounter);
    EXPECT_TRUE(actual.music == expected.music);
    EXPECT_TRUE(actual.lyrics == expected.lyrics);
    EXPECT_TRUE(actual.karaoke == expected.karaoke);
    EXPECT_TRUE(actual.textEffects == expected.textEffects);
    EXPECT_TRUE(actual.pictureEffects == expected.pictureEffects);
    EXPECT_TRUE(actual.settings == expected.settings);
}

JobWorld::JobWorld() : in(dir.path() / "in") {
    fs::create_directories(in);
    fs::create_directories(folder.base());
}

void JobWorld::open() {
    SessionOptions options;
    options.root = dir.path();
    options.holder = QStringLiteral("test");
    NullProgress progress;
    auto opened = Session::open(options, progress);
    ASSERT_TRUE(opened) << opened.error().message.toStdString();
    session = std::move(*opened);
    ProjectModel seeded = session->model();
    seeded.random.reseed(7);
    session->commit(std::move(seeded));
}

void JobWorld::apply(const Session::Operation& operation) {
    NullProgress progress;
    auto done = session->apply(operation, progress);
    ASSERT_TRUE(done) << done.error().message.toStdString();
}

QString JobWorld::photo(const std::string& name, int width, int height, QColor colour) {
    writePhoto(in / name, width, height, colour);
    return toQString(in / name);
}

QString JobWorld::truncatedPhoto(const std::string& name) {
    // Noise keeps the picture data long, so that half of the file ends
    // well inside it.
    QImage noise(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) % 256));
    const fs::path file = in / name;
    EXPECT_TRUE(saveJpeg(noise, file).has_value());
    fs::resize_file(file, fs::file_size(file) / 2);
    return toQString(file);
}

QString JobWorld::song(const std::string& name, double seconds) {
    writeSong(in / name, seconds);
    return toQString(in / name);
}

QString JobWorld::lyric(const std::string& name) {
    writeFile(in / name, "[00:00.00]" + name + "\n[00:01.00]second line\n");
    return toQString(in / name);
}

void writePhotoStore(const WorkingFolder& folder) {
    TemplateSpec single;
    single.movie = QByteArray("single movie");
    addTemplate(folder, "a_single", single);
    TemplateSpec pair;
    pair.photoCount = QStringLiteral("2");
    pair.widths = QStringLiteral("|800|800|");
    pair.heights = QStringLiteral("|600|600|");
    pair.orientation = QStringLiteral("|heng|heng|");
    pair.jpgNames = QStringLiteral("|a|b|");
    pair.movie = QByteArray("pair movie");
    addTemplate(folder, "b_pair", pair);
    TemplateSpec portrait;
    portrait.widths = QStringLiteral("|600|");
    portrait.heights = QStringLiteral("|800|");
    portrait.orientation = QStringLiteral("|shu|");
    portrait.movie = QByteArray("portrait movie");
    addTemplate(folder, "c_portrait", portrait);
    fs::create_directories(folder.endingPackage().parent_path());
    packing::writePackage(folder.endingPackage(), packing::Bytes{'e', 'n', 'd'});
}

}  // namespace orvane::testing
