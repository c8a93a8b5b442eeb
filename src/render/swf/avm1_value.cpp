#include "render/swf/avm1_value.h"

#include <cmath>
#include <limits>

namespace orvane::swf {

QString numberToString(double d) {
    if (std::isnan(d)) return QStringLiteral("NaN");
    if (std::isinf(d)) return d > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (d == std::trunc(d) && std::fabs(d) < 1e15)
        return QString::number(static_cast<long long>(d));
    return QString::number(d, 'g', 15);
}

QString Value::toString(int version) const {
    switch (type) {
        case Type::Undefined:
            return version >= 7 ? QStringLiteral("undefined") : QString();
        case Type::Null:
            return QStringLiteral("null");
        case Type::Boolean:
            return number != 0 ? QStringLiteral("true") : QStringLiteral("false");
        case Type::Number:
            return numberToString(number);
        case Type::String:
            return text;
    }
    return {};
}

double Value::toNumber(int version) const {
    switch (type) {
        case Type::Undefined:
        case Type::Null:
            return version >= 7 ? std::numeric_limits<double>::quiet_NaN() : 0.0;
        case Type::Boolean:
        case Type::Number:
            return number;
        case Type::String: {
            bool ok = false;
            const double d = text.trimmed().toDouble(&ok);
            if (ok) return d;
            return text.isEmpty() && version < 7 ? 0.0 : std::numeric_limits<double>::quiet_NaN();
        }
    }
    return 0;
}

bool Value::toBoolean(int version) const {
    switch (type) {
        case Type::Undefined:
        case Type::Null:
            return false;
        case Type::Boolean:
            return number != 0;
        case Type::Number:
            return number != 0 && !std::isnan(number);
        case Type::String:
            if (version >= 7) return !text.isEmpty();
            return toNumber(version) != 0 && !std::isnan(toNumber(version));
    }
    return false;
}

}  // namespace orvane::swf
