#pragma once
// The colour list of the text editor: the 16 standard colours, the 4 extended
// ones and the system colours, each with its identifier ("clWhite") and its
// stored value. Standard and extended colours are stored as 0x00BBGGRR; a
// system colour is stored as its system-colour code with the top bit set, so
// its decimal text is negative, and is drawn in the platform's default
// colour for that code. Pure data; any thread.

#include <QColor>
#include <QString>
#include <optional>
#include <vector>

namespace orvane {

struct NamedColor {
    QString name;  // "clWhite"
    int value;     // 16777215
};

const std::vector<NamedColor>& textColorList();
std::optional<int> colorValueForName(const QString& name);
// The colour a stored value draws in; an unknown system code draws black.
QColor colorForValue(int value);
// The same for a stored decimal text; nullopt when it is not a number.
std::optional<QColor> colorForValueText(const QString& value);

}  // namespace orvane
