#include "base/time_left.h"

namespace orvane {

std::optional<std::chrono::seconds> estimateTimeLeft(int doneSinceStart, int remaining,
                                                     std::chrono::milliseconds elapsed) {
    using namespace std::chrono;
    if (doneSinceStart <= 0 || elapsed < seconds(1)) return std::nullopt;
    if (remaining <= 0) return seconds(0);
    const double msLeft = static_cast<double>(elapsed.count()) * remaining / doneSinceStart;
    return seconds(static_cast<seconds::rep>(msLeft / 1000.0 + 0.999));
}

QString timeLeftText(std::optional<std::chrono::seconds> left) {
    if (!left) return QStringLiteral("剩余时间: 正在计算...");
    const auto total = left->count();
    return QStringLiteral("剩余时间: %1:%2:%3")
        .arg(total / 3600, 2, 10, QLatin1Char('0'))
        .arg(total / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(total % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace orvane
