#pragma once
// A fingerprint of everything the painter reads from a player's display
// lists: per object its depth, character, matrix, colour transform, ratio,
// mask depth and, for sprites, their own lists and loaded pictures. Two
// ticks with the same signature paint the same pixels, so a frame whose
// signature did not change need not be painted again. A field the painter
// starts to read must be added here too.
//
// Pure function of the player's state; call it from the player's thread.

#include <cstdint>

namespace orvane::swf {

class Player;

std::uint64_t frameSignature(const Player& player);

}  // namespace orvane::swf
