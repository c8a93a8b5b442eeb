// ActionScript 1 as far as template movies need it: the stack, variables
// with target paths, the constant pool, timeline control, SetTarget, GetURL
// (FSCommand) and GetURL2 (loadMovie), plus jumps, comparisons and simple
// arithmetic. Every action list is bounded by the player's action budget.

#include <cmath>

#include "render/swf/byte_reader.h"
#include "render/swf/swf_player.h"

namespace orvane::swf {

namespace {

// Frame counts are 16-bit: any index past that is past the last frame.
constexpr int kMaxFrameIndex = 65535;

class Interpreter {
   public:
    Interpreter(Player& player, Clip& clip, const Bytes& code)
        : m_player(player),
          m_self(clip),
          m_target(&clip),
          m_code(code),
          m_version(player.movie().version) {}

    void run() {
        ByteReader in(m_code);
        int executed = 0;
        // Charge what ran to the frame's budget however the list ends.
        struct Charge {
            Player& player;
            int& executed;
            ~Charge() { player.consumeActionBudget(1 + executed % 1000); }
        } charge{m_player, executed};
        try {
            while (!in.atEnd()) {
                if (++executed % 1000 == 0 && !m_player.consumeActionBudget(1000)) return;
                if (!m_player.hasActionBudget()) return;  // a goto may have spent it
                const int code = in.u8();
                if (code == 0) return;
                std::span<const std::uint8_t> payload;
                if (code >= 0x80) payload = in.bytes(in.u16());
                const std::size_t next = in.position();
                ByteReader args(payload);
                const std::ptrdiff_t jump = execute(code, args);
                if (jump != 0) {
                    const std::ptrdiff_t to = std::ptrdiff_t(next) + jump;
                    if (to < 0 || std::size_t(to) > m_code.size()) {
                        m_player.warn(QStringLiteral("an action jumps outside its list"));
                        return;
                    }
                    in.seek(std::size_t(to));
                }
            }
        } catch (const ReadError&) {
            m_player.warn(QStringLiteral("a list of actions is cut off"));
        }
    }

   private:
    Value pop() {
        if (m_stack.empty()) return Value::undefined();
        Value v = std::move(m_stack.back());
        m_stack.pop_back();
        return v;
    }
    void push(Value v) {
        if (m_stack.size() < std::size_t(kMaxStack)) m_stack.push_back(std::move(v));
    }
    QString popString() { return pop().toString(m_version); }
    double popNumber() { return pop().toNumber(m_version); }

    // The clip that variables and timeline actions address now; an unknown
    // SetTarget path leaves variables on the root and timeline actions idle.
    Clip& variableScope() { return m_target ? *m_target : m_player.rootClip(); }

    void pushValues(ByteReader& args) {
        while (!args.atEnd()) {
            const int type = args.u8();
            switch (type) {
                case 0:
                    push(Value::fromString(args.string(m_version)));
                    break;
                case 1:
                    push(Value::fromNumber(args.f32()));
                    break;
                case 2:
                    push(Value::null());
                    break;
                case 3:
                    push(Value::undefined());
                    break;
                case 4:
                    args.u8();  // registers are not used by templates
                    push(Value::undefined());
                    break;
                case 5:
                    push(Value::boolean(args.u8() != 0));
                    break;
                case 6:
                    push(Value::fromNumber(args.f64()));
                    break;
                case 7:
                    push(Value::fromNumber(std::int32_t(args.u32())));
                    break;
                case 8:
                case 9: {
                    const std::size_t index = type == 8 ? args.u8() : args.u16();
                    push(index < m_pool.size() ? Value::fromString(m_pool[index])
                                               : Value::undefined());
                    break;
                }
                default:
                    throw ReadError("unknown push type");
            }
        }
    }

    void getUrl(const QString& url, const QString& target, bool loadTarget) {
        if (url.startsWith(QStringLiteral("FSCommand:"), Qt::CaseInsensitive)) {
            m_player.requestFsCommand(url.mid(10), target);
            return;
        }
        Clip* clip = nullptr;
        if (loadTarget) {
            clip = m_player.resolveClip(&variableScope(), target);
        } else if (target.startsWith(QStringLiteral("_level"), Qt::CaseInsensitive)) {
            if (target.mid(6).toInt() == 0) clip = &m_player.rootClip();
        } else {
            return;  // a browser page: nothing to do here
        }
        if (!clip) {
            m_player.warn(QStringLiteral("loadMovie into the unknown clip \"%1\"").arg(target));
            return;
        }
        m_player.requestLoad(*clip, url);
    }

    bool looselyEqual(const Value& a, const Value& b) {
        using T = Value::Type;
        const bool aNone = a.type == T::Undefined || a.type == T::Null;
        const bool bNone = b.type == T::Undefined || b.type == T::Null;
        if (aNone || bNone) return aNone && bNone;
        if (a.type == T::String && b.type == T::String) return a.text == b.text;
        return a.toNumber(m_version) == b.toNumber(m_version);
    }

    // Returns a jump offset (0 = go on).
    std::ptrdiff_t execute(int code, ByteReader& args) {
        switch (code) {
            case 0x04:  // NextFrame
                if (m_target)
                    m_player.gotoFrame(*m_target, m_target->currentFrame + 1),
                        m_target->playing = false;
                break;
            case 0x05:  // PrevFrame
                if (m_target)
                    m_player.gotoFrame(*m_target, m_target->currentFrame - 1),
                        m_target->playing = false;
                break;
            case 0x06:
                if (m_target) m_target->playing = true;
                break;
            case 0x07:
                if (m_target) m_target->playing = false;
                break;
            case 0x0A:
                push(Value::fromNumber(popNumber() + popNumber()));
                break;
            case 0x0B: {
                const double b = popNumber(), a = popNumber();
                push(Value::fromNumber(a - b));
                break;
            }
            case 0x0C:
                push(Value::fromNumber(popNumber() * popNumber()));
                break;
            case 0x0D: {
                const double b = popNumber(), a = popNumber();
                push(Value::fromNumber(a / b));
                break;
            }
            case 0x0E:
                push(Value::boolean(popNumber() == popNumber()));
                break;
            case 0x0F: {
                const double b = popNumber(), a = popNumber();
                push(Value::boolean(a < b));
                break;
            }
            case 0x10: {
                const bool b = pop().toBoolean(m_version), a = pop().toBoolean(m_version);
                push(Value::boolean(a && b));
                break;
            }
            case 0x11: {
                const bool b = pop().toBoolean(m_version), a = pop().toBoolean(m_version);
                push(Value::boolean(a || b));
                break;
            }
            case 0x12:
                push(Value::boolean(!pop().toBoolean(m_version)));
                break;
            case 0x13:
                push(Value::boolean(popString() == popString()));
                break;
            case 0x17:
                pop();
                break;
            case 0x1C:
                push(m_player.getVariableFrom(variableScope(), popString()));
                break;
            case 0x1D: {
                Value value = pop();
                m_player.setVariableFrom(variableScope(), popString(), value);
                break;
            }
            case 0x20:  // SetTarget2
                setTarget(popString());
                break;
            case 0x21: {
                const QString b = popString(), a = popString();
                push(Value::fromString(a + b));
                break;
            }
            case 0x26:
                pop();
                break;    // trace
            case 0x3C: {  // DefineLocal: a variable of the clip here
                Value value = pop();
                m_player.setVariableFrom(variableScope(), popString(), value);
                break;
            }
            case 0x41:
                popString();
                break;    // DefineLocal2
            case 0x47: {  // Add2
                Value b = pop(), a = pop();
                if (a.type == Value::Type::String || b.type == Value::Type::String)
                    push(Value::fromString(a.toString(m_version) + b.toString(m_version)));
                else
                    push(Value::fromNumber(a.toNumber(m_version) + b.toNumber(m_version)));
                break;
            }
            case 0x48: {  // Less2
                Value b = pop(), a = pop();
                if (a.type == Value::Type::String && b.type == Value::Type::String)
                    push(Value::boolean(a.text < b.text));
                else
                    push(Value::boolean(a.toNumber(m_version) < b.toNumber(m_version)));
                break;
            }
            case 0x49: {
                Value b = pop(), a = pop();
                push(Value::boolean(looselyEqual(a, b)));
                break;
            }
            case 0x4C:
                if (!m_stack.empty()) push(m_stack.back());
                break;
            case 0x4D:
                if (m_stack.size() >= 2)
                    std::swap(m_stack[m_stack.size() - 1], m_stack[m_stack.size() - 2]);
                break;
            case 0x50:
                push(Value::fromNumber(popNumber() + 1));
                break;
            case 0x51:
                push(Value::fromNumber(popNumber() - 1));
                break;
            case 0x81: {  // GotoFrame (0-based), stops the clip
                const int frame = args.u16();
                if (m_target) {
                    m_player.gotoFrame(*m_target, frame);
                    m_target->playing = false;
                }
                break;
            }
            case 0x83: {
                const QString url = args.string(m_version);
                const QString target = args.string(m_version);
                getUrl(url, target, false);
                break;
            }
            case 0x88: {
                const int count = args.u16();
                m_pool.clear();
                for (int i = 0; i < count; ++i) m_pool.push_back(args.string(m_version));
                break;
            }
            case 0x8B:
                setTarget(args.string(m_version));
                break;
            case 0x8C: {  // GoToLabel
                const QString label = args.string(m_version);
                if (m_target && m_target->timeline) {
                    const int frame = m_target->timeline->frameIndexOfLabel(label);
                    if (frame >= 0) {
                        m_player.gotoFrame(*m_target, frame);
                        m_target->playing = false;
                    }
                }
                break;
            }
            case 0x96:
                pushValues(args);
                break;
            case 0x99:
                return std::int16_t(args.u16());  // Jump
            case 0x9A: {                          // GetURL2
                const int flags = args.u8();
                const QString target = popString();
                const QString url = popString();
                if (flags & 0x80) {
                    m_player.warn(QStringLiteral("loadVariables is not supported"));
                    break;
                }
                getUrl(url, target, flags & 0x40);
                break;
            }
            case 0x9D: {  // If
                const std::int16_t offset = std::int16_t(args.u16());
                if (pop().toBoolean(m_version)) return offset;
                break;
            }
            case 0x9F: {  // GotoFrame2
                const int flags = args.u8();
                const int bias = (flags & 0x02) ? args.u16() : 0;
                const Value frame = pop();
                if (!m_target || !m_target->timeline) break;
                int index = -1;
                if (frame.type == Value::Type::String) {
                    index = m_target->timeline->frameIndexOfLabel(frame.text);
                    if (index < 0) {
                        bool ok = false;
                        const int n = frame.text.toInt(&ok);
                        if (ok && n >= 1) index = n - 1;
                    }
                } else {
                    // NaN and huge numbers do not fit an int; any frame past
                    // the last is all the same to gotoFrame.
                    const double number = frame.toNumber(m_version);
                    if (!std::isnan(number) && number >= 1)
                        index = int(std::min(number, double(kMaxFrameIndex))) - 1;
                }
                if (index < 0) break;
                index = std::min(index, kMaxFrameIndex);
                m_player.gotoFrame(*m_target, index + bias);
                m_target->playing = flags & 0x01;
                break;
            }
            default:
                break;  // an action templates do not use: skipped
        }
        return 0;
    }

    void setTarget(const QString& path) {
        if (path.isEmpty()) {
            m_target = &m_self;
            return;
        }
        m_target = m_player.resolveClip(&m_self, path);
        // Hold the target: the actions may remove it from the stage.
        m_targetHold = m_target ? m_target->shared_from_this() : nullptr;
    }

    Player& m_player;
    Clip& m_self;
    Clip* m_target;
    std::shared_ptr<Clip> m_targetHold;
    const Bytes& m_code;
    int m_version;
    std::vector<Value> m_stack;
    std::vector<QString> m_pool;
};

}  // namespace

void runActions(Player& player, Clip& clip, const Bytes& code) {
    // Keep the clip alive while its actions run (they may remove it).
    auto keepAlive = clip.shared_from_this();
    Interpreter(player, clip, code).run();
}

}  // namespace orvane::swf
