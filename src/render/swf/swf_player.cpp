#include "render/swf/swf_player.h"

#include <QRegularExpression>

namespace orvane::swf {

namespace {

bool isSprite(const DisplayObject& o) { return o.clip != nullptr; }

// What a depth holds in a frame, for rebuilding a display list backwards.
struct PlaceRecord {
    std::uint16_t characterId = 0;
    QTransform matrix;
    ColorTransform colorTransform;
    std::optional<int> ratio;
    QString name;
    int clipDepth = 0;
};

void applyFields(const PlaceObject& p, QTransform& matrix, ColorTransform& cx,
                 std::optional<int>& ratio, QString& name, int& clipDepth) {
    if (p.matrix) matrix = *p.matrix;
    if (p.colorTransform) cx = *p.colorTransform;
    if (p.ratio) ratio = *p.ratio;
    if (p.name) name = *p.name;
    if (p.clipDepth) clipDepth = *p.clipDepth;
}

}  // namespace

Player::Player(std::shared_ptr<const Movie> movie, PictureLoader& pictures, FsCommandSink& sink)
    : m_movie(std::move(movie)),
      m_pictures(pictures),
      m_sink(sink),
      m_root(std::make_shared<Clip>()) {
    m_root->timeline = &m_movie->root;
}

Player::~Player() = default;

void Player::start() {
    ++m_tick;
    m_actionBudget = kMaxActionsPerTick;
    applyFrame(*m_root, 0, true);
    runQueuedActions();
    workOffRequests();
    m_retired.clear();
}

void Player::tick(int frame) {
    ++m_tick;
    m_actionBudget = kMaxActionsPerTick;
    frame = std::clamp(frame, 0, m_root->frameCount() - 1);
    if (m_root->timeline && frame == m_root->currentFrame + 1)
        applyFrame(*m_root, frame, true);
    else
        gotoFrame(*m_root, frame);
    advanceChildren(*m_root);
    runQueuedActions();
    workOffRequests();
    m_retired.clear();
}

void Player::advanceChildren(Clip& clip) {
    for (auto& [depth, object] : clip.displayList) {
        if (!object.clip) continue;
        Clip& child = *object.clip;
        if (child.createdAtTick != m_tick && child.playing && child.timeline &&
            child.frameCount() > 1) {
            const int next = child.currentFrame + 1;
            if (next >= child.frameCount())
                gotoFrame(child, 0);
            else
                applyFrame(child, next, true);
        }
    }
    // A second pass: the first may have replaced entries of the list.
    for (auto& [depth, object] : clip.displayList) {
        if (object.clip && object.clip->createdAtTick != m_tick) advanceChildren(*object.clip);
    }
}

void Player::applyFrame(Clip& clip, int frame, bool queueActions) {
    if (!clip.timeline || frame < 0 || frame >= clip.frameCount()) return;
    clip.currentFrame = frame;
    const Frame& f = clip.timeline->frame(frame);
    for (const ControlTag& tag : f.tags) {
        if (const auto* p = std::get_if<PlaceObject>(&tag)) {
            place(clip, *p);
        } else if (const auto* r = std::get_if<RemoveObject>(&tag)) {
            auto it = clip.displayList.find(r->depth);
            if (it != clip.displayList.end()) erase(clip, it);
        }
    }
    if (queueActions) queueFrameActions(clip, frame);
}

void Player::queueFrameActions(Clip& clip, int frame) {
    if (!clip.timeline || frame < 0 || frame >= clip.frameCount()) return;
    for (const ControlTag& tag : clip.timeline->frame(frame).tags) {
        if (const auto* a = std::get_if<DoAction>(&tag))
            m_actions.push_back({clip.weak_from_this(), a->code});
    }
}

int Player::instancesIn(const Clip& clip) {
    int n = 0;
    for (const auto& [depth, object] : clip.displayList)
        n += 1 + (object.clip ? instancesIn(*object.clip) : 0);
    return n;
}

void Player::erase(Clip& clip, std::map<int, DisplayObject>::iterator it) {
    m_instances -= 1 + (it->second.clip ? instancesIn(*it->second.clip) : 0);
    retire(std::move(it->second.clip));
    clip.displayList.erase(it);
}

void Player::retire(std::shared_ptr<Clip> clip) {
    if (clip) m_retired.push_back(std::move(clip));
}

void Player::clearDisplayList(Clip& clip) {
    m_instances -= instancesIn(clip);
    for (auto& [depth, object] : clip.displayList) retire(std::move(object.clip));
    clip.displayList.clear();
}

std::shared_ptr<Clip> Player::newSpriteClip(const Sprite& sprite, Clip& parent) {
    auto clip = std::make_shared<Clip>();
    clip->timeline = &sprite.timeline;
    clip->parent = parent.weak_from_this();
    clip->createdAtTick = m_tick;
    return clip;
}

void Player::place(Clip& clip, const PlaceObject& p) {
    auto it = clip.displayList.find(p.depth);
    const bool exists = it != clip.displayList.end();
    if (!p.move && exists) return;  // the depth is taken
    if (p.move && !exists && !p.characterId) return;
    if (!exists || (p.characterId && *p.characterId != it->second.characterId)) {
        const std::uint16_t id = *p.characterId;
        const Character* character = m_movie->character(id);
        if (!character) {
            warn(QStringLiteral("character %1 is placed but not defined").arg(id));
            return;
        }
        if (!exists) {
            if (m_instances >= kMaxInstances) {
                warn(QStringLiteral("too many objects on the stage; some are left out"));
                return;
            }
            ++m_instances;
            it = clip.displayList.emplace(p.depth, DisplayObject{}).first;
            it->second.depth = p.depth;
        } else if (it->second.clip) {
            m_instances -= instancesIn(*it->second.clip);
        }
        DisplayObject& o = it->second;
        o.characterId = id;
        o.character = character;
        retire(std::move(o.clip));
        applyFields(p, o.matrix, o.colorTransform, o.ratio, o.name, o.clipDepth);
        if (const auto* sprite = std::get_if<Sprite>(character)) {
            o.clip = newSpriteClip(*sprite, clip);
            applyFrame(*o.clip, 0, true);  // a new sprite shows its first frame at once
        }
        return;
    }
    DisplayObject& o = it->second;
    applyFields(p, o.matrix, o.colorTransform, o.ratio, o.name, o.clipDepth);
}

void Player::gotoFrame(Clip& clip, int frame) {
    if (!clip.timeline) return;
    // Past the last frame: the last frame is shown without running its actions.
    const bool runActions = frame < clip.frameCount();
    frame = std::clamp(frame, 0, clip.frameCount() - 1);
    if (frame == clip.currentFrame) return;
    // A goto replays frames: forwards those up to the target, backwards all
    // from the first. Actions pay for them from the tick's budget, or a
    // small movie jumping between its ends would replay frames for minutes.
    if (m_runningActions) {
        const int from = frame > clip.currentFrame ? clip.currentFrame + 1 : 0;
        std::int64_t cost = 0;
        for (int f = from; f <= frame; ++f)
            cost += 1 + std::int64_t(clip.timeline->frame(f).tags.size());
        if (!consumeActionBudget(int(std::min<std::int64_t>(cost, kMaxActionsPerTick + 1)))) return;
    }
    if (frame > clip.currentFrame) {
        for (int f = clip.currentFrame + 1; f <= frame; ++f)
            applyFrame(clip, f, f == frame && runActions);
        return;
    }
    rewindTo(clip, frame);
    if (runActions) queueFrameActions(clip, frame);
}

void Player::rewindTo(Clip& clip, int frame) {
    std::map<int, PlaceRecord> wanted;
    for (int f = 0; f <= frame; ++f) {
        for (const ControlTag& tag : clip.timeline->frame(f).tags) {
            if (const auto* p = std::get_if<PlaceObject>(&tag)) {
                auto it = wanted.find(p->depth);
                const bool exists = it != wanted.end();
                if (!p->move && exists) continue;
                if (!exists && !p->characterId) continue;
                if (!exists) it = wanted.emplace(p->depth, PlaceRecord{}).first;
                PlaceRecord& r = it->second;
                if (p->characterId) r.characterId = *p->characterId;
                applyFields(*p, r.matrix, r.colorTransform, r.ratio, r.name, r.clipDepth);
            } else if (const auto* rm = std::get_if<RemoveObject>(&tag)) {
                wanted.erase(rm->depth);
            }
        }
    }
    for (auto it = clip.displayList.begin(); it != clip.displayList.end();) {
        auto w = wanted.find(it->first);
        DisplayObject& o = it->second;
        const bool keep = w != wanted.end() && w->second.characterId == o.characterId &&
                          (!isSprite(o) || w->second.ratio == o.ratio);
        if (!keep) {
            auto next = std::next(it);
            erase(clip, it);
            it = next;
            continue;
        }
        o.matrix = w->second.matrix;
        o.colorTransform = w->second.colorTransform;
        o.name = w->second.name;
        o.clipDepth = w->second.clipDepth;
        ++it;
    }
    clip.currentFrame = frame;
    for (const auto& [depth, r] : wanted) {
        if (clip.displayList.contains(depth)) continue;
        PlaceObject p;
        p.depth = depth;
        p.characterId = r.characterId;
        p.matrix = r.matrix;
        p.colorTransform = r.colorTransform;
        p.ratio = r.ratio;
        p.name = r.name;
        p.clipDepth = r.clipDepth;
        place(clip, p);
    }
}

void Player::runQueuedActions() {
    while (!m_actions.empty()) {
        QueuedActions next = std::move(m_actions.front());
        m_actions.pop_front();
        if (m_actionBudget <= 0) continue;  // drained without running
        auto clip = next.clip.lock();
        if (!clip) continue;
        m_runningActions = true;
        runActions(*this, *clip, *next.code);
        m_runningActions = false;
    }
}

bool Player::consumeActionBudget(int count) {
    m_actionBudget -= count;
    if (m_actionBudget >= 0) return true;
    if (!m_budgetWarned)
        warn(QStringLiteral("the actions of a frame run too long; they were stopped"));
    m_budgetWarned = true;
    return false;
}

void Player::requestLoad(Clip& target, const QString& url) {
    m_requests.push_back(LoadRequest{target.weak_from_this(), url});
}

void Player::requestFsCommand(const QString& command, const QString& args) {
    m_requests.push_back(FsCommandRequest{command, args});
}

void Player::workOffRequests() {
    std::vector<Request> requests;
    requests.swap(m_requests);
    for (Request& request : requests) {
        if (auto* fs = std::get_if<FsCommandRequest>(&request)) {
            m_sink.fsCommand(fs->command, fs->args);
            continue;
        }
        auto& load = std::get<LoadRequest>(request);
        auto clip = load.clip.lock();
        if (!clip) continue;
        if (load.url.isEmpty()) {  // unloadMovie
            clearDisplayList(*clip);
            clip->timeline = nullptr;
            clip->picture.reset();
            continue;
        }
        auto picture = m_pictures.loadPicture(load.url);
        if (!picture) {
            warn(picture.error().message);
            continue;
        }
        clearDisplayList(*clip);
        clip->timeline = nullptr;
        clip->currentFrame = 0;
        clip->picture = std::move(*picture);
    }
}

void Player::warn(const QString& message) {
    if (m_warnings.size() < 100) m_warnings.push_back(message);
}

QStringList Player::takeWarnings() {
    QStringList w;
    w.swap(m_warnings);
    return w;
}

Clip* Player::resolveClip(Clip* base, const QString& path) {
    if (!base) return nullptr;
    QString rest = path;
    Clip* clip = base;
    if (rest.startsWith(QLatin1Char('/'))) {
        clip = m_root.get();
        rest = rest.mid(1);
    }
    const QStringList parts =
        rest.split(QRegularExpression(QStringLiteral("[./]")), Qt::SkipEmptyParts);
    // ".." written with slashes means the parent; split drops the dots, so handle it first.
    if (rest.contains(QStringLiteral(".."))) {
        const QStringList slashParts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (const QString& part : slashParts) {
            if (part == QStringLiteral("..")) {
                clip = clip->parent.lock().get();
                if (!clip) return nullptr;
                continue;
            }
            clip = resolveClip(clip, part);
            if (!clip) return nullptr;
        }
        return clip;
    }
    for (const QString& part : parts) {
        if (part.compare(QStringLiteral("_root"), Qt::CaseInsensitive) == 0 ||
            part.compare(QStringLiteral("_level0"), Qt::CaseInsensitive) == 0) {
            clip = m_root.get();
        } else if (part.compare(QStringLiteral("_parent"), Qt::CaseInsensitive) == 0) {
            clip = clip->parent.lock().get();
        } else if (part.compare(QStringLiteral("this"), Qt::CaseInsensitive) == 0) {
        } else {
            Clip* found = nullptr;
            for (auto& [depth, object] : clip->displayList) {
                if (object.clip && object.name.compare(part, Qt::CaseInsensitive) == 0) {
                    found = object.clip.get();
                    break;
                }
            }
            clip = found;
        }
        if (!clip) return nullptr;
    }
    return clip;
}

namespace {

// Splits "path:name" / "path.name" into the clip path and the name.
std::pair<QString, QString> splitVariablePath(const QString& path) {
    int cut = path.lastIndexOf(QLatin1Char(':'));
    if (cut < 0) cut = path.lastIndexOf(QLatin1Char('.'));
    if (cut < 0) return {QString(), path};
    return {path.left(cut), path.mid(cut + 1)};
}

}  // namespace

Value Player::getVariableFrom(Clip& base, const QString& path) {
    auto [clipPath, name] = splitVariablePath(path);
    Clip* clip = clipPath.isEmpty() ? &base : resolveClip(&base, clipPath);
    if (!clip) return Value::undefined();
    const QString key = name.toLower();
    auto it = clip->variables.find(key);
    if (it != clip->variables.end()) return *it;
    if (key == QStringLiteral("_currentframe")) return Value::fromNumber(clip->currentFrame + 1);
    if (key == QStringLiteral("_totalframes") || key == QStringLiteral("_framesloaded"))
        return Value::fromNumber(clip->frameCount());
    return Value::undefined();
}

void Player::setVariableFrom(Clip& base, const QString& path, const Value& value) {
    auto [clipPath, name] = splitVariablePath(path);
    Clip* clip = clipPath.isEmpty() ? &base : resolveClip(&base, clipPath);
    if (!clip || name.isEmpty()) return;
    clip->variables.insert(name.toLower(), value);
}

Value Player::getVariable(const QString& path) { return getVariableFrom(*m_root, path); }

void Player::setVariable(const QString& path, const Value& value) {
    setVariableFrom(*m_root, path, value);
}

}  // namespace orvane::swf
