#pragma once
// Simplified/traditional Chinese conversion with OpenCC ("jianti": to
// simplified characters, "fanti": to traditional). Owns the two OpenCC
// converters, opened on first use; one thread at a time.

#include <QString>
#include <memory>

namespace orvane {

class ScriptConverter {
   public:
    ScriptConverter();
    ~ScriptConverter();
    ScriptConverter(const ScriptConverter&) = delete;
    ScriptConverter& operator=(const ScriptConverter&) = delete;

    // `script` is "jianti" or "fanti"; any other word leaves the text as it
    // is. Throws OrvaneError when OpenCC's configuration cannot be loaded.
    QString convert(const QString& text, const QString& script);

   private:
    struct Converters;
    std::unique_ptr<Converters> m_converters;
};

}  // namespace orvane
