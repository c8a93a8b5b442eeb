#pragma once
// How long a run still needs, from its rate so far: the steps done since the
// clock started, the time that took, the steps left. No estimate before a
// second has passed or a step was made, so the first figure is not a guess
// from one frame.

#include <QString>
#include <chrono>
#include <optional>

namespace orvane {

std::optional<std::chrono::seconds> estimateTimeLeft(int doneSinceStart, int remaining,
                                                     std::chrono::milliseconds elapsed);

// "剩余时间: 00:01:05", or "剩余时间: 正在计算..." without an estimate.
QString timeLeftText(std::optional<std::chrono::seconds> left);

}  // namespace orvane
