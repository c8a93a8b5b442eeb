#pragma once
// One column of a table: its field name in code and in project files, its
// caption on screen, and how the member that holds it reads and writes as the
// table's text (the documented form shown in the windows and stored by
// version 1 project files) and as a JSON value (version 2 project files:
// text as a string, numbers as numbers, flags as booleans, enums by their
// English name).

#include <QJsonValue>
#include <QString>
#include <cmath>
#include <limits>
#include <type_traits>

#include "base/enum_words.h"

namespace orvane {

template <typename Row>
struct FieldDef {
    const char* name;
    const char* caption;
    QString (*text)(const Row&);
    // False, the row unchanged, when the text is not a value of the field.
    bool (*setText)(Row&, const QString&);
    QJsonValue (*json)(const Row&);
    // False, the row unchanged, for a value of the wrong JSON type or range.
    bool (*setJson)(Row&, const QJsonValue&);
};

// The words a flag shows in its table: "cuti" / "wu", "T" / "F". Any text
// other than the first reads as off, as the windows always compared it.
struct FlagWords {
    const char* on;
    const char* off;
};

namespace field_detail {

template <typename M>
struct MemberOf;
template <typename R, typename T>
struct MemberOf<T R::*> {
    using Row = R;
    using Type = T;
};

inline bool readInt(const QString& text, int& out) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok) out = value;
    return ok;
}

inline bool readInt(const QJsonValue& value, int& out) {
    if (!value.isDouble()) return false;
    const double number = value.toDouble();
    if (number != std::trunc(number) || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        return false;
    out = static_cast<int>(number);
    return true;
}

}  // namespace field_detail

// A text, whole-number or enum field.
template <auto M>
constexpr auto field(const char* name, const char* caption) {
    using Row = typename field_detail::MemberOf<decltype(M)>::Row;
    using T = typename field_detail::MemberOf<decltype(M)>::Type;
    if constexpr (std::is_same_v<T, QString>) {
        return FieldDef<Row>{
            name,
            caption,
            [](const Row& r) { return r.*M; },
            [](Row& r, const QString& t) {
                r.*M = t;
                return true;
            },
            [](const Row& r) { return QJsonValue(r.*M); },
            [](Row& r, const QJsonValue& v) {
                if (!v.isString()) return false;
                r.*M = v.toString();
                return true;
            },
        };
    } else if constexpr (std::is_same_v<T, int>) {
        return FieldDef<Row>{
            name,
            caption,
            [](const Row& r) { return QString::number(r.*M); },
            [](Row& r, const QString& t) { return field_detail::readInt(t, r.*M); },
            [](const Row& r) { return QJsonValue(r.*M); },
            [](Row& r, const QJsonValue& v) { return field_detail::readInt(v, r.*M); },
        };
    } else {
        static_assert(std::is_enum_v<T>, "a field is text, a whole number, an enum or a flag");
        return FieldDef<Row>{
            name,
            caption,
            [](const Row& r) { return legacyText(r.*M); },
            [](Row& r, const QString& t) {
                const auto value = enumFromLegacy<T>(t);
                if (value) r.*M = *value;
                return value.has_value();
            },
            [](const Row& r) { return QJsonValue(enumName(r.*M)); },
            [](Row& r, const QJsonValue& v) {
                const auto value = enumFromName<T>(v.toString());
                if (!v.isString() || !value) return false;
                r.*M = *value;
                return true;
            },
        };
    }
}

// A bool field shown as the words `W`.
template <auto M, const FlagWords& W>
constexpr auto flagField(const char* name, const char* caption) {
    using Row = typename field_detail::MemberOf<decltype(M)>::Row;
    return FieldDef<Row>{
        name,
        caption,
        [](const Row& r) { return QString::fromLatin1(r.*M ? W.on : W.off); },
        [](Row& r, const QString& t) {
            r.*M = t == QLatin1String(W.on);
            return true;
        },
        [](const Row& r) { return QJsonValue(r.*M); },
        [](Row& r, const QJsonValue& v) {
            if (!v.isBool()) return false;
            r.*M = v.toBool();
            return true;
        },
    };
}

}  // namespace orvane
