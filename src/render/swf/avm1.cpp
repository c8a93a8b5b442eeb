// ActionScript 1 as far as template movies need it: the stack, variables
// with target paths, the constant pool, timeline control, SetTarget, GetURL
// (FSCommand) and GetURL2 (loadMovie), plus jumps, comparisons and simple
// arithmetic. Every action list is bounded by the player's action budget.
//
// The loop reads one action record at a time and hands it to the handler of
// its code (one member per action, named after it); handlers read their
// payload, work on the stack and the player, and may ask for a jump.

#include <array>
#include <cmath>

#include "render/swf/avm1_actions.h"
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
                const std::uint8_t code = in.u8();
                if (code == std::uint8_t(ActionCode::ActionEnd)) return;
                std::span<const std::uint8_t> payload;
                if (hasPayload(code)) payload = in.bytes(in.u16());
                const std::size_t next = in.position();
                ByteReader args(payload);
                m_jump = 0;
                if (const Handler handler = handlerFor(code)) (this->*handler)(args);
                if (m_jump != 0) {
                    const std::ptrdiff_t to = std::ptrdiff_t(next) + m_jump;
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
    using Handler = void (Interpreter::*)(ByteReader& args);
    struct ActionHandler {
        ActionCode code;
        Handler handler;
    };
    // The handler of an action code; none for actions templates do not use,
    // which are skipped.
    static Handler handlerFor(std::uint8_t code);

    // Timeline control: the current target only; without one (an unknown
    // SetTarget path) these do nothing.
    void actionNextFrame(ByteReader&) {
        if (m_target) gotoAndStop(m_target->currentFrame + 1);
    }
    void actionPrevFrame(ByteReader&) {
        if (m_target) gotoAndStop(m_target->currentFrame - 1);
    }
    void actionPlay(ByteReader&) {
        if (m_target) m_target->playing = true;
    }
    void actionStop(ByteReader&) {
        if (m_target) m_target->playing = false;
    }
    // GotoFrame counts frames from 0 and stops the clip.
    void actionGotoFrame(ByteReader& args) {
        const int frame = args.u16();
        if (m_target) gotoAndStop(frame);
    }
    void actionGoToLabel(ByteReader& args) {
        const QString label = args.string(m_version);
        if (!m_target || !m_target->timeline) return;
        const int frame = m_target->timeline->frameIndexOfLabel(label);
        if (frame >= 0) gotoAndStop(frame);
    }
    // GotoFrame2 takes a frame (counted from 1) or a label from the stack,
    // plays or stops by its flag, and adds a bias when its flag says so.
    void actionGotoFrame2(ByteReader& args) {
        const int flags = args.u8();
        const int bias = (flags & 0x02) ? args.u16() : 0;
        const Value frame = pop();
        if (!m_target || !m_target->timeline) return;
        const int index = frameIndexOf(frame);
        if (index < 0) return;
        m_player.gotoFrame(*m_target, index + bias);
        m_target->playing = flags & 0x01;
    }

    // Arithmetic and logic; the second operand is the one on top.
    void actionAdd(ByteReader&) {
        const auto [a, b] = popNumbers();
        push(Value::fromNumber(a + b));
    }
    void actionSubtract(ByteReader&) {
        const auto [a, b] = popNumbers();
        push(Value::fromNumber(a - b));
    }
    void actionMultiply(ByteReader&) {
        const auto [a, b] = popNumbers();
        push(Value::fromNumber(a * b));
    }
    void actionDivide(ByteReader&) {
        const auto [a, b] = popNumbers();
        push(Value::fromNumber(a / b));
    }
    void actionEquals(ByteReader&) {
        const auto [a, b] = popNumbers();
        push(Value::boolean(a == b));
    }
    void actionLess(ByteReader&) {
        const auto [a, b] = popNumbers();
        push(Value::boolean(a < b));
    }
    void actionAnd(ByteReader&) {
        const bool b = popBoolean(), a = popBoolean();
        push(Value::boolean(a && b));
    }
    void actionOr(ByteReader&) {
        const bool b = popBoolean(), a = popBoolean();
        push(Value::boolean(a || b));
    }
    void actionNot(ByteReader&) { push(Value::boolean(!popBoolean())); }
    void actionStringEquals(ByteReader&) {
        const QString b = popString(), a = popString();
        push(Value::boolean(a == b));
    }
    void actionStringAdd(ByteReader&) {
        const QString b = popString(), a = popString();
        push(Value::fromString(a + b));
    }
    void actionIncrement(ByteReader&) { push(Value::fromNumber(popNumber() + 1)); }
    void actionDecrement(ByteReader&) { push(Value::fromNumber(popNumber() - 1)); }
    // Add2 joins when either side is text, else adds.
    void actionAdd2(ByteReader&) {
        const Value b = pop(), a = pop();
        if (a.type == Value::Type::String || b.type == Value::Type::String)
            push(Value::fromString(a.toString(m_version) + b.toString(m_version)));
        else
            push(Value::fromNumber(a.toNumber(m_version) + b.toNumber(m_version)));
    }
    // Less2 compares text when both sides are text, else numbers.
    void actionLess2(ByteReader&) {
        const Value b = pop(), a = pop();
        if (a.type == Value::Type::String && b.type == Value::Type::String)
            push(Value::boolean(a.text < b.text));
        else
            push(Value::boolean(a.toNumber(m_version) < b.toNumber(m_version)));
    }
    void actionEquals2(ByteReader&) {
        const Value b = pop(), a = pop();
        push(Value::boolean(looselyEqual(a, b)));
    }

    // The stack itself.
    void actionPush(ByteReader& args) {
        while (!args.atEnd()) push(readPushedValue(args));
    }
    void actionPop(ByteReader&) { pop(); }
    void actionPushDuplicate(ByteReader&) {
        if (!m_stack.empty()) push(m_stack.back());
    }
    void actionStackSwap(ByteReader&) {
        if (m_stack.size() >= 2)
            std::swap(m_stack[m_stack.size() - 1], m_stack[m_stack.size() - 2]);
    }
    void actionConstantPool(ByteReader& args) {
        const int count = args.u16();
        m_pool.clear();
        for (int i = 0; i < count; ++i) m_pool.push_back(args.string(m_version));
    }
    void actionTrace(ByteReader&) { pop(); }

    // Variables of the current target (of the root when it is unknown).
    void actionGetVariable(ByteReader&) {
        push(m_player.getVariableFrom(variableScope(), popString()));
    }
    void actionSetVariable(ByteReader&) {
        const Value value = pop();
        m_player.setVariableFrom(variableScope(), popString(), value);
    }
    // A local is a variable of the clip here: there are no functions.
    void actionDefineLocal(ByteReader& args) { actionSetVariable(args); }
    void actionDefineLocal2(ByteReader&) { pop(); }

    void actionSetTarget(ByteReader& args) { setTarget(args.string(m_version)); }
    void actionSetTarget2(ByteReader&) { setTarget(popString()); }

    // Loading and FSCommands.
    void actionGetURL(ByteReader& args) {
        const QString url = args.string(m_version);
        const QString target = args.string(m_version);
        getUrl(url, target, false);
    }
    // Flags: 0x80 loadVariables, 0x40 the target is a clip (loadMovie).
    void actionGetURL2(ByteReader& args) {
        const int flags = args.u8();
        const QString target = popString();
        const QString url = popString();
        if (flags & 0x80) {
            m_player.warn(QStringLiteral("loadVariables is not supported"));
            return;
        }
        getUrl(url, target, flags & 0x40);
    }

    // Jumps count from the next action.
    void actionJump(ByteReader& args) { m_jump = args.s16(); }
    void actionIf(ByteReader& args) {
        const std::int16_t offset = args.s16();
        if (popBoolean()) m_jump = offset;
    }

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
    bool popBoolean() { return pop().toBoolean(m_version); }
    // The two operands of a binary action: {below, top}.
    std::pair<double, double> popNumbers() {
        const double top = popNumber();
        return {popNumber(), top};
    }

    // The clip that variables and timeline actions address now; an unknown
    // SetTarget path leaves variables on the root and timeline actions idle.
    Clip& variableScope() { return m_target ? *m_target : m_player.rootClip(); }

    void gotoAndStop(int frame) {
        m_player.gotoFrame(*m_target, frame);
        m_target->playing = false;
    }

    // GotoFrame2's frame: a label or a number (also as text) counted from 1;
    // -1 when it names no frame.
    int frameIndexOf(const Value& frame) const {
        int index = -1;
        if (frame.type == Value::Type::String) {
            index = m_target->timeline->frameIndexOfLabel(frame.text);
            if (index < 0) {
                bool ok = false;
                const int n = frame.text.toInt(&ok);
                if (ok && n >= 1) index = n - 1;
            }
        } else {
            // NaN and huge numbers do not fit an int; any frame past the
            // last is all the same to gotoFrame.
            const double number = frame.toNumber(m_version);
            if (!std::isnan(number) && number >= 1)
                index = int(std::min(number, double(kMaxFrameIndex))) - 1;
        }
        return index < 0 ? -1 : std::min(index, kMaxFrameIndex);
    }

    // One value of a Push record: a type byte, then its data.
    Value readPushedValue(ByteReader& args) {
        const int type = args.u8();
        switch (type) {
            case 0:
                return Value::fromString(args.string(m_version));
            case 1:
                return Value::fromNumber(args.f32());
            case 2:
                return Value::null();
            case 3:
                return Value::undefined();
            case 4:
                args.u8();  // registers are not used by templates
                return Value::undefined();
            case 5:
                return Value::boolean(args.u8() != 0);
            case 6:
                return Value::fromNumber(args.f64());
            case 7:
                return Value::fromNumber(std::int32_t(args.u32()));
            case 8:
            case 9: {
                const std::size_t index = type == 8 ? args.u8() : args.u16();
                return index < m_pool.size() ? Value::fromString(m_pool[index])
                                             : Value::undefined();
            }
            default:
                throw ReadError("unknown push type");
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

    bool looselyEqual(const Value& a, const Value& b) const {
        using T = Value::Type;
        const bool aNone = a.type == T::Undefined || a.type == T::Null;
        const bool bNone = b.type == T::Undefined || b.type == T::Null;
        if (aNone || bNone) return aNone && bNone;
        if (a.type == T::String && b.type == T::String) return a.text == b.text;
        return a.toNumber(m_version) == b.toNumber(m_version);
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
    std::ptrdiff_t m_jump = 0;  // set by Jump and If: from the next action
};

Interpreter::Handler Interpreter::handlerFor(std::uint8_t code) {
    using enum ActionCode;
    static constexpr ActionHandler kHandlers[] = {
        {ActionNextFrame, &Interpreter::actionNextFrame},
        {ActionPrevFrame, &Interpreter::actionPrevFrame},
        {ActionPlay, &Interpreter::actionPlay},
        {ActionStop, &Interpreter::actionStop},
        {ActionAdd, &Interpreter::actionAdd},
        {ActionSubtract, &Interpreter::actionSubtract},
        {ActionMultiply, &Interpreter::actionMultiply},
        {ActionDivide, &Interpreter::actionDivide},
        {ActionEquals, &Interpreter::actionEquals},
        {ActionLess, &Interpreter::actionLess},
        {ActionAnd, &Interpreter::actionAnd},
        {ActionOr, &Interpreter::actionOr},
        {ActionNot, &Interpreter::actionNot},
        {ActionStringEquals, &Interpreter::actionStringEquals},
        {ActionPop, &Interpreter::actionPop},
        {ActionGetVariable, &Interpreter::actionGetVariable},
        {ActionSetVariable, &Interpreter::actionSetVariable},
        {ActionSetTarget2, &Interpreter::actionSetTarget2},
        {ActionStringAdd, &Interpreter::actionStringAdd},
        {ActionTrace, &Interpreter::actionTrace},
        {ActionDefineLocal, &Interpreter::actionDefineLocal},
        {ActionDefineLocal2, &Interpreter::actionDefineLocal2},
        {ActionAdd2, &Interpreter::actionAdd2},
        {ActionLess2, &Interpreter::actionLess2},
        {ActionEquals2, &Interpreter::actionEquals2},
        {ActionPushDuplicate, &Interpreter::actionPushDuplicate},
        {ActionStackSwap, &Interpreter::actionStackSwap},
        {ActionIncrement, &Interpreter::actionIncrement},
        {ActionDecrement, &Interpreter::actionDecrement},
        {ActionGotoFrame, &Interpreter::actionGotoFrame},
        {ActionGetURL, &Interpreter::actionGetURL},
        {ActionConstantPool, &Interpreter::actionConstantPool},
        {ActionSetTarget, &Interpreter::actionSetTarget},
        {ActionGoToLabel, &Interpreter::actionGoToLabel},
        {ActionPush, &Interpreter::actionPush},
        {ActionJump, &Interpreter::actionJump},
        {ActionGetURL2, &Interpreter::actionGetURL2},
        {ActionIf, &Interpreter::actionIf},
        {ActionGotoFrame2, &Interpreter::actionGotoFrame2},
    };
    // Indexed by code, so that finding the handler costs one load.
    static constexpr auto kByCode = [] {
        std::array<Handler, 256> byCode{};
        for (const ActionHandler& entry : kHandlers)
            byCode[std::size_t(entry.code)] = entry.handler;
        return byCode;
    }();
    return kByCode[code];
}

}  // namespace

void runActions(Player& player, Clip& clip, const Bytes& code) {
    // Keep the clip alive while its actions run (they may remove it).
    auto keepAlive = clip.shared_from_this();
    Interpreter(player, clip, code).run();
}

}  // namespace orvane::swf
