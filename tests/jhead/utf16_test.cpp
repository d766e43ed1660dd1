// File names must survive UTF-16 -> UTF-8 -> UTF-16 whatever they hold.
#include <gtest/gtest.h>

#include "utf16.h"

using namespace jhead;

TEST(Utf16, RoundTripsAnyWindowsName) {
    std::u16string names[] = {
        u"plain.jpg",
        u"照片 2024年.jpg",
        u"emoji \U0001F600.jpg",
        // Unpaired surrogates: legal in NTFS names.
        std::u16string(u"a") + (char16_t)0xD800 + u"b",
        std::u16string(u"x") + (char16_t)0xDC00,
    };
    for (const std::u16string& n : names) EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(n)), n);
    EXPECT_EQ(Utf16ToUtf8(u"照"), "\xE7\x85\xA7");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Utf16, BrokenUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xE7\x85"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xE7(x"), u"\uFFFD(x");
}
