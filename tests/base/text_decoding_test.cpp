#include "base/text_decoding.h"

#include <gtest/gtest.h>

#include <QStringEncoder>

#include "support/test_support.h"

using namespace orvane;

TEST(TextDecoding, EveryEncodingGivesTheSameText) {
    const QString text = QStringLiteral("[00:12.34]月亮代表我的心 abc");
    const QByteArray utf8 = text.toUtf8();
    QStringEncoder le(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QStringEncoder be(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    struct Case {
        const char* name;
        QByteArray bytes;
        TextEncoding encoding;
    } cases[] = {
        {"utf8", utf8, TextEncoding::Utf8},
        {"utf8 bom", QByteArray("\xEF\xBB\xBF") + utf8, TextEncoding::Utf8Bom},
        {"utf16le", le.encode(text), TextEncoding::Utf16LE},
        {"utf16be", be.encode(text), TextEncoding::Utf16BE},
        {"gbk", encodeGbk(text), TextEncoding::Gbk},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(detectTextEncoding(c.bytes), c.encoding) << c.name;
        EXPECT_EQ(decodeText(c.bytes), text) << c.name;
    }
    EXPECT_EQ(encodeGbk(QStringLiteral("中")), QByteArray("\xD6\xD0"));
}

TEST(TextDecoding, BrokenLegacyBytesDoNotLoseTheRest) {
    // A byte that is never GBK: the rest still decodes.
    const QByteArray bytes = encodeGbk(QStringLiteral("歌词")) + QByteArray("\xFF") + "x";
    const QString decoded = decodeText(bytes);
    EXPECT_TRUE(decoded.startsWith(QStringLiteral("歌词")));
    EXPECT_TRUE(decoded.endsWith(u'x'));
}
