#pragma once
// Text files from users come in several encodings: UTF-8 with or without a
// byte-order mark, UTF-16 with a byte-order mark, or the legacy Chinese code
// page (GBK, read as its superset GB18030).

#include <QByteArray>
#include <QString>

namespace orvane {

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Gbk };

TextEncoding detectTextEncoding(const QByteArray& bytes);

// Decodes the whole file content; a byte-order mark is dropped.
QString decodeText(const QByteArray& bytes);

// Encodes text in GBK (GB18030); used by tests and tools that make fixtures.
QByteArray encodeGbk(const QString& text);

}  // namespace orvane
