// File names must survive UTF-16 -> UTF-8 -> UTF-16 whatever they hold.
#include <gtest/gtest.h>

#include "utf16.h"

using namespace jhead;

TEST(Utf16, RoundTripsAnyWindowsNameAndMarksBrokenUtf8) {
    std::u16string names[] = {
        u"照片 2024年.jpg",
        u"emoji \U0001F600.jpg",
        // Unpaired surrogates: legal in NTFS names.
        std::u16string(u"a") + (char16_t)0xD800 + u"b",
        std::u16string(u"x") + (char16_t)0xDC00,
    };
    for (const std::u16string& n : names) EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(n)), n);
    EXPECT_EQ(Utf16ToUtf8(u"照\U0001F600"), "\xE7\x85\xA7\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b\xE7(x\xE7\x85"),
              u"a\uFFFDb\uFFFD(x\uFFFD\uFFFD");
}
