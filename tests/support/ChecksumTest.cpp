#include "support/Checksum.h"

#include <gtest/gtest.h>

TEST(Checksum, StringChecksum16)
{
    struct Case {
        const char16_t* text;
        quint16 expected;
        const char* what;
    };
    const Case cases[] = {
        { u"", 0x0000, "empty" },
        { u"a", 0x0061, "byte enters after the table step" },
        { u"abc", 0x1EE4, "three letters" },
        // One byte b gives b itself; a non-ASCII letter counts as its one Windows-1252 byte.
        { u"é", 0x00E9, "e acute is 0xE9" },
        { u"€", 0x0080, "euro sign is 0x80" },
        // After "a" the high byte is 0 and T[0] = 0: the bytes simply shift in.
        { u"aa", 0x6161, "second byte of a short text" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(StringChecksum16(QString::fromUtf16(c.text)), c.expected) << c.what;
}
