#pragma once
// The words an enum of the model is known by outside the program: the
// English name a project file of version 2 stores ("dvd", "pal", "high"),
// and the text the tables showed and version 1 project files stored ("DVD",
// "PAL", "gaoqing_huazhi"). Each enum has one table of its values; the
// conversions in both directions read it, so a value and its words are
// written down once.

#include <QString>
#include <optional>
#include <span>

namespace orvane {

template <typename E>
struct EnumWord {
    E value;
    const char* name;    // version 2 project files
    const char* legacy;  // the table's text form and version 1 project files
};

// Specialised next to each enum (album_settings.cpp, project_model.cpp).
template <typename E>
std::span<const EnumWord<E>> enumWords();

template <typename E>
QString enumName(E value) {
    for (const auto& w : enumWords<E>())
        if (w.value == value) return QString::fromLatin1(w.name);
    return {};
}

template <typename E>
QString legacyText(E value) {
    for (const auto& w : enumWords<E>())
        if (w.value == value) return QString::fromLatin1(w.legacy);
    return {};
}

template <typename E>
std::optional<E> enumFromName(const QString& name) {
    for (const auto& w : enumWords<E>())
        if (name == QLatin1String(w.name)) return w.value;
    return std::nullopt;
}

template <typename E>
std::optional<E> enumFromLegacy(const QString& text) {
    for (const auto& w : enumWords<E>())
        if (text == QLatin1String(w.legacy)) return w.value;
    return std::nullopt;
}

}  // namespace orvane
