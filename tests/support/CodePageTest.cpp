#include "CodePage.h"

#include <gtest/gtest.h>

using namespace fenster;

TEST(CodePage, EncodesWindows1252)
{
    struct Case {
        QString text;
        QByteArray expected;
        bool exact;
    };
    const Case cases[] = {
        { QStringLiteral("Tür"), QByteArray("T\xFCr"), true },
        { QStringLiteral("Größe"), QByteArray("Gr\xF6\xDF" "e"), true },
        { QStringLiteral("€ – „x“"), QByteArray("\x80 \x96 \x84x\x93"), true },
        { QString(QChar(0x81)), QByteArray("\x81"), true }, // an undefined byte reads back as itself
        { QStringLiteral("Ω"), QByteArray("?"), false },
        { QString::fromUtf8("a\xF0\x9F\x98\x80" "b"), QByteArray("a?b"), false }, // one ? for a surrogate pair
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeWindows1252(c.text), c.expected) << c.text.toStdString();
        EXPECT_EQ(EncodeWindows1252Exact(c.text).has_value(), c.exact) << c.text.toStdString();
    }
}

TEST(CodePage, EveryByteSurvivesDecodingAndEncoding)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = DecodeWindows1252(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));
    EXPECT_EQ(text.at(0xFC), QChar(u'ü'));
    EXPECT_EQ(EncodeWindows1252Exact(text), all);
}
