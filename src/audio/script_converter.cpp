#include "audio/script_converter.h"

#include <opencc/opencc.h>

#include <filesystem>

#include "base/error.h"

namespace orvane {

struct ScriptConverter::Converters {
    opencc_t toTraditional = reinterpret_cast<opencc_t>(-1);
    opencc_t toSimplified = reinterpret_cast<opencc_t>(-1);
    ~Converters() {
        for (opencc_t c : {toTraditional, toSimplified})
            if (c != reinterpret_cast<opencc_t>(-1)) opencc_close(c);
    }
};

namespace {

opencc_t openConfig(const char* name) {
    const std::filesystem::path installed = std::filesystem::path("/usr/share/opencc") / name;
    const std::string config = std::filesystem::exists(installed) ? installed.string() : name;
    opencc_t c = opencc_open(config.c_str());
    if (c == reinterpret_cast<opencc_t>(-1))
        throw OrvaneError(
            QStringLiteral("OpenCC cannot load %1: %2")
                .arg(QString::fromStdString(config), QString::fromUtf8(opencc_error())));
    return c;
}

}  // namespace

ScriptConverter::ScriptConverter() : m_converters(std::make_unique<Converters>()) {}
ScriptConverter::~ScriptConverter() = default;

QString ScriptConverter::convert(const QString& text, const QString& script) {
    opencc_t* slot = nullptr;
    const char* config = nullptr;
    if (script == QLatin1String("fanti")) {
        slot = &m_converters->toTraditional;
        config = "s2t.json";
    } else if (script == QLatin1String("jianti")) {
        slot = &m_converters->toSimplified;
        config = "t2s.json";
    } else {
        return text;
    }
    if (*slot == reinterpret_cast<opencc_t>(-1)) *slot = openConfig(config);
    if (text.isEmpty()) return text;
    const QByteArray utf8 = text.toUtf8();
    char* out = opencc_convert_utf8(*slot, utf8.constData(), static_cast<size_t>(utf8.size()));
    if (!out)
        throw OrvaneError(
            QStringLiteral("OpenCC conversion failed: %1").arg(QString::fromUtf8(opencc_error())));
    QString result = QString::fromUtf8(out);
    opencc_convert_utf8_free(out);
    return result;
}

}  // namespace orvane
