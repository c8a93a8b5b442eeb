#pragma once
// Window tests on a real project: a session on a working folder with the
// album tests' small template store and two photos ready to import, and the
// helpers that answer modal windows (found by object name once shown).

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

#include "gui/main/window_set.h"
#include "photos/photo_import.h"
#include "render/album/album_fixtures.h"
#include "session/session.h"
#include "support/window_answers.h"

namespace orvane::testing {

// A session with one 35-frame landscape template in its store, and the
// window set on it; importPhotos() adds two photos (a 170-frame album).
class ProjectWindowsTest : public ::testing::Test {
   protected:
    void SetUp() override {
        writeStore(folder, {35}, 60);
        writePhoto(dir.path() / "a.jpg", 800, 600, Qt::red);
        writePhoto(dir.path() / "b.jpg", 800, 600, Qt::green);
        SessionOptions options;
        options.root = dir.path();
        NullProgress progress;
        auto opened = Session::open(options, progress);
        ASSERT_TRUE(opened) << opened.error().message.toStdString();
        session = std::move(*opened);
        windows = std::make_unique<WindowSet>(*session);
    }
    void importPhotos() {
        const QStringList files{toQString(dir.path() / "a.jpg"), toQString(dir.path() / "b.jpg")};
        NullProgress progress;
        auto imported = session->apply(
            [&](ProjectModel& model, const WorkingFolder& f, Progress& p) -> Result<void> {
                auto report = orvane::importPhotos(model, f, files, p);
                if (!report) return std::unexpected(report.error());
                return {};
            },
            progress);
        ASSERT_TRUE(imported) << imported.error().message.toStdString();
        ProjectModel next = session->model();
        next.settings.quality = Quality::Normal;
        session->commit(std::move(next));
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
    std::unique_ptr<Session> session;
    std::unique_ptr<WindowSet> windows;
};

}  // namespace orvane::testing
