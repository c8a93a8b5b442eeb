#pragma once
// Fixtures of the job tests: a project in a temporary root opened through a
// Session, a progress that asks to stop after a number of advances, and the
// working folder as a comparable list of files.

#include <QColor>
#include <QStringList>
#include <map>
#include <memory>
#include <string>

#include "base/progress.h"
#include "session/session.h"
#include "support/test_support.h"

namespace orvane::testing {

// Every entry under smxcwjj but the template store and the lock file:
// relative path → "folder", or the size and a hash of the content.
std::map<std::string, std::string> workingTree(const WorkingFolder& folder);

// Records phases and notices and asks to stop once `limit` advances were
// made (never with a negative limit).
class StopAfter : public Progress {
   public:
    explicit StopAfter(int limit = -1) : m_limit(limit) {}
    void start(int steps, const QString& phase) override {
        (void)steps;
        phases << phase;
    }
    void advance(int steps) override {
        (void)steps;
        ++advances;
    }
    void notice(const QString& text) override { notices << text; }
    bool isCancelled() const override { return m_limit >= 0 && advances >= m_limit; }

    int advances = 0;
    QStringList phases;
    QStringList notices;

   private:
    int m_limit;
};

// Every table and counter of the project, compared field by field.
void expectSameProject(const ProjectModel& actual, const ProjectModel& expected);

// A root with a working folder and an input folder; the session is opened
// once the store is in place.
struct JobWorld {
    JobWorld();
    TempDir dir;
    WorkingFolder folder{dir.path()};
    fs::path in;
    std::unique_ptr<Session> session;

    // Opens the session and seeds the project's generator, so that two
    // worlds built alike draw alike.
    void open();
    // Runs an operation that must succeed.
    void apply(const Session::Operation& operation);

    QString photo(const std::string& name, int width = 400, int height = 300,
                  QColor colour = Qt::red);
    // A photo whose header is whole but whose picture data ends early.
    QString truncatedPhoto(const std::string& name);
    QString song(const std::string& name, double seconds = 0.5);
    QString lyric(const std::string& name);
};

// A store of small uncompiled templates (single and two-slot landscape,
// single portrait) and an ending package, for imports and removals.
void writePhotoStore(const WorkingFolder& folder);

}  // namespace orvane::testing
