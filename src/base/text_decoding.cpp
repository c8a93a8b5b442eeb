#include "base/text_decoding.h"

#include <iconv.h>

#include <QStringDecoder>
#include <cerrno>

namespace orvane {
namespace {

bool startsWith(const QByteArray& bytes, std::initializer_list<unsigned char> prefix) {
    if (bytes.size() < static_cast<qsizetype>(prefix.size())) return false;
    qsizetype i = 0;
    for (unsigned char c : prefix)
        if (static_cast<unsigned char>(bytes[i++]) != c) return false;
    return true;
}

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

// Converts with iconv; characters that cannot be converted become U+FFFD
// (decoding) or are skipped (encoding) rather than failing the whole text.
QByteArray convert(const QByteArray& input, const char* from, const char* to,
                   const QByteArray& replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    QByteArray out;
    out.reserve(input.size() * 2 + 16);
    char buffer[4096];
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: one bad byte; replace it and go on.
            out.append(replacement);
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

TextEncoding detectTextEncoding(const QByteArray& bytes) {
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF})) return TextEncoding::Utf8Bom;
    if (startsWith(bytes, {0xFF, 0xFE})) return TextEncoding::Utf16LE;
    if (startsWith(bytes, {0xFE, 0xFF})) return TextEncoding::Utf16BE;
    if (isValidUtf8(bytes)) return TextEncoding::Utf8;
    return TextEncoding::Gbk;
}

QString decodeText(const QByteArray& bytes) {
    switch (detectTextEncoding(bytes)) {
        case TextEncoding::Utf8Bom:
            return QString::fromUtf8(bytes.mid(3));
        case TextEncoding::Utf16LE:
            return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
        case TextEncoding::Utf16BE:
            return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
        case TextEncoding::Utf8:
            return QString::fromUtf8(bytes);
        case TextEncoding::Gbk:
            return QString::fromUtf8(convert(bytes, "GB18030", "UTF-8", "\xEF\xBF\xBD"));
    }
    return {};
}

QByteArray encodeGbk(const QString& text) {
    return convert(text.toUtf8(), "UTF-8", "GB18030", "?");
}

}  // namespace orvane
