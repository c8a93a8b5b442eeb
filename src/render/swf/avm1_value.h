#pragma once
// Values of ActionScript 1: undefined, null, booleans, numbers and strings,
// with the conversions the actions need.

#include <QString>

namespace orvane::swf {

struct Value {
    enum class Type { Undefined, Null, Boolean, Number, String };
    Type type = Type::Undefined;
    double number = 0;  // also the boolean (0 or 1)
    QString text;

    static Value undefined() { return {}; }
    static Value null() { return {Type::Null, 0, {}}; }
    static Value boolean(bool b) { return {Type::Boolean, b ? 1.0 : 0.0, {}}; }
    static Value fromNumber(double d) { return {Type::Number, d, {}}; }
    static Value fromString(const QString& s) { return {Type::String, 0, s}; }

    bool isUndefined() const { return type == Type::Undefined; }
    // `version` is the movie's SWF version (conversions changed in 7).
    QString toString(int version) const;
    double toNumber(int version) const;
    bool toBoolean(int version) const;
};

QString numberToString(double d);

}  // namespace orvane::swf
