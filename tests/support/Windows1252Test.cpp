#include "support/Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, Encoding)
{
    struct Case {
        const char16_t* text;
        QByteArray bytes;
        const char* what;
    };
    const Case cases[] = {
        { u"abc", "abc", "ASCII" },
        { u"ção", "\xE7\xE3o", "Latin-1 range" },
        { u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ", "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E", "0x80 to 0x8E" },
        { u"‘’“”•–—˜™š›œžŸ", "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F", "0x91 to 0x9F" },
        { u"Āx", "?x", "outside the code page" },
        { u"a😀b", "a?b", "a surrogate pair is one character" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToWindows1252(QString::fromUtf16(c.text)), c.bytes) << c.what;
}

TEST(Windows1252, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = FromWindows1252(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x81], QChar(0x0081));
    EXPECT_EQ(text[0xFF], QChar(0x00FF));
    EXPECT_EQ(ToWindows1252(text), all);
}
