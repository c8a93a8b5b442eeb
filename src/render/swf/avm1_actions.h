#pragma once
// The action codes of ActionScript 1 that the interpreter runs, named as the
// SWF format names them. An action record is one code byte; codes from 0x80
// on carry a UI16 length and that many bytes of payload. Codes not listed
// here are skipped (by their length when they have a payload).

#include <cstdint>

namespace orvane::swf {

enum class ActionCode : std::uint8_t {
    ActionEnd = 0x00,  // ends the action list

    // Timeline control of the current target.
    ActionNextFrame = 0x04,
    ActionPrevFrame = 0x05,
    ActionPlay = 0x06,
    ActionStop = 0x07,

    // Numbers, logic and text on the stack.
    ActionAdd = 0x0A,
    ActionSubtract = 0x0B,
    ActionMultiply = 0x0C,
    ActionDivide = 0x0D,
    ActionEquals = 0x0E,
    ActionLess = 0x0F,
    ActionAnd = 0x10,
    ActionOr = 0x11,
    ActionNot = 0x12,
    ActionStringEquals = 0x13,
    ActionPop = 0x17,

    // Variables and targets.
    ActionGetVariable = 0x1C,
    ActionSetVariable = 0x1D,
    ActionSetTarget2 = 0x20,
    ActionStringAdd = 0x21,
    ActionTrace = 0x26,
    ActionDefineLocal = 0x3C,
    ActionDefineLocal2 = 0x41,

    // SWF 5 operators.
    ActionAdd2 = 0x47,
    ActionLess2 = 0x48,
    ActionEquals2 = 0x49,
    ActionPushDuplicate = 0x4C,
    ActionStackSwap = 0x4D,
    ActionIncrement = 0x50,
    ActionDecrement = 0x51,

    // Actions with a payload.
    ActionGotoFrame = 0x81,
    ActionGetURL = 0x83,
    ActionConstantPool = 0x88,
    ActionSetTarget = 0x8B,
    ActionGoToLabel = 0x8C,
    ActionPush = 0x96,
    ActionJump = 0x99,
    ActionGetURL2 = 0x9A,
    ActionIf = 0x9D,
    ActionGotoFrame2 = 0x9F,
};

// Whether the record of `code` carries a length and a payload.
constexpr bool hasPayload(std::uint8_t code) { return code >= 0x80; }

}  // namespace orvane::swf
