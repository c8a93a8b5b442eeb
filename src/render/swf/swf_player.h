#pragma once
// The player of one movie: the display lists of the root and of every sprite
// instance, their playheads and variables, the frame actions (avm1.cpp), and
// the queue of loadMovie requests and FSCommands that the actions make.
//
// A tick advances the root to a given frame (the next one, or by goto rules
// when it is another), then every sprite that was already there advances one
// frame (looping); then the queued frame actions run in order; then the
// queued requests are worked off in the order they were made (pictures are
// loaded through the PictureLoader, FSCommands go to the FsCommandSink).
//
// Goto rules: forward, the display tags of the frames in between are applied
// without their actions; backward, the display list is rebuilt from frame 0
// and an instance survives when the target frame still has it at its depth
// (same character; for sprites also the same ratio), keeping its state.
//
// Not thread-safe: one thread at a time.

#include <QHash>
#include <QStringList>
#include <deque>
#include <map>
#include <memory>
#include <variant>

#include "render/swf/avm1_value.h"
#include "render/swf/host_interfaces.h"
#include "render/swf/swf_movie.h"

namespace orvane::swf {

struct Clip;

struct DisplayObject {
    int depth = 0;
    std::uint16_t characterId = 0;
    const Character* character = nullptr;
    QTransform matrix;
    ColorTransform colorTransform;
    std::optional<int> ratio;
    QString name;
    int clipDepth = 0;
    std::shared_ptr<Clip> clip;  // sprites only
};

// The root or a sprite instance.
struct Clip : std::enable_shared_from_this<Clip> {
    const Timeline* timeline = nullptr;  // null once a picture was loaded into it
    int currentFrame = -1;
    bool playing = true;
    std::map<int, DisplayObject> displayList;  // drawn from low to high depth
    QHash<QString, Value> variables;           // names compared without case
    std::shared_ptr<const QImage> picture;     // loaded by loadMovie
    std::weak_ptr<Clip> parent;                // empty for the root
    std::int64_t createdAtTick = 0;

    int frameCount() const { return timeline ? timeline->frameCount : 1; }
};

// Caps that keep hostile movies from hanging or exhausting the machine.
inline constexpr int kMaxActionsPerTick = 1'000'000;
inline constexpr int kMaxInstances = 100'000;
inline constexpr int kMaxStack = 10'000;

class Player {
   public:
    Player(std::shared_ptr<const Movie> movie, PictureLoader& pictures, FsCommandSink& sink);
    ~Player();

    const Movie& movie() const { return *m_movie; }
    const Clip& root() const { return *m_root; }

    // Shows frame 0 (the first tick). Called once, before anything else.
    void start();
    // One tick with the root shown at `frame` (clamped to the movie).
    void tick(int frame);
    int currentFrame() const { return m_root->currentFrame; }
    void stopRoot() { m_root->playing = false; }

    // Variables by path relative to the root ("name", "clip:name",
    // "_root.clip.name", "/clip:name").
    Value getVariable(const QString& path);
    void setVariable(const QString& path, const Value& value);

    // Problems met while playing (missing pictures, cut-off actions, caps hit).
    QStringList takeWarnings();

    // For the actions (avm1.cpp).
    Clip* resolveClip(Clip* base, const QString& path);
    void gotoFrame(Clip& clip, int frame);
    void requestLoad(Clip& target, const QString& url);
    void requestFsCommand(const QString& command, const QString& args);
    void warn(const QString& message);
    Clip& rootClip() { return *m_root; }
    Value getVariableFrom(Clip& base, const QString& path);
    void setVariableFrom(Clip& base, const QString& path, const Value& value);
    bool consumeActionBudget(int count);
    bool hasActionBudget() const { return m_actionBudget > 0; }

   private:
    struct QueuedActions {
        std::weak_ptr<Clip> clip;
        std::shared_ptr<const Bytes> code;
    };
    struct LoadRequest {
        std::weak_ptr<Clip> clip;
        QString url;
    };
    struct FsCommandRequest {
        QString command, args;
    };
    using Request = std::variant<LoadRequest, FsCommandRequest>;

    void applyFrame(Clip& clip, int frame, bool queueActions);
    void rewindTo(Clip& clip, int frame);
    void place(Clip& clip, const PlaceObject& p);
    std::shared_ptr<Clip> newSpriteClip(const Sprite& sprite, Clip& parent);
    void advanceChildren(Clip& clip);
    void queueFrameActions(Clip& clip, int frame);
    void runQueuedActions();
    void workOffRequests();
    void erase(Clip& clip, std::map<int, DisplayObject>::iterator it);
    void retire(std::shared_ptr<Clip> clip);
    void clearDisplayList(Clip& clip);
    static int instancesIn(const Clip& clip);

    std::shared_ptr<const Movie> m_movie;
    PictureLoader& m_pictures;
    FsCommandSink& m_sink;
    std::shared_ptr<Clip> m_root;
    std::deque<QueuedActions> m_actions;
    // Sprites removed during this tick. Running actions may still point at
    // them (their own clip, a tellTarget target, a parent), so they live
    // until the tick ends.
    std::vector<std::shared_ptr<Clip>> m_retired;
    std::vector<Request> m_requests;
    QStringList m_warnings;
    std::int64_t m_tick = 0;
    int m_actionBudget = kMaxActionsPerTick;
    int m_instances = 0;
    bool m_budgetWarned = false;
    bool m_runningActions = false;  // gotos are charged to the budget
};

// Runs one action list of `clip` (avm1.cpp).
void runActions(Player& player, Clip& clip, const Bytes& code);

}  // namespace orvane::swf
