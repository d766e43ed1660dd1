// Windows names may hold lone surrogates (NTFS takes any UTF-16): they must
// survive the tool's UTF-8 form. Names with Chinese and emoji are
// jhead_win_test's, through the real tool.
#include <gtest/gtest.h>

#include <algorithm>

#include "shown_name.h"
#include "platform/utf16.h"

using namespace jhead;

TEST(Utf16, NamesRoundTripLoneSurrogatesIncluded) {
    // With the first and last code points of each UTF-8 length.
    for (std::u16string name : {u"a\xD800-", u"x\xDC00", u"\xDC00\xD800",
                                u"\x7F\x80\x7FF\x800\xFFFF\xD800\xDC00\xDBFF\xDFFF"}) {
        EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(name)), name);
    }
}

// Results file lines: a name the code page cannot hold (here: anything but
// ASCII) gets the code points it loses, in order, so that "??.jpg" names
// one picture only.
TEST(ShownName, OneLineAndTheCodePointsTheCodePageLacks) {
    auto ascii = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return (unsigned char)c < 0x80; });
    };
    const std::pair<std::string, std::string> cases[] = {
        {"a b.jpg", "a b.jpg"},
        {"two\nlines\x01.jpg", "two\\nlines\\x01.jpg"},
        {"사진.jpg", "사진.jpg [U+C0AC U+C9C4]"},
        {"d/😀é.jpg", "d/😀é.jpg [U+1F600 U+00E9]"},
        {"\xED\xA0\x80", "\xED\xA0\x80 [U+D800]"},  // a lone surrogate from a Windows name
        {"cut\xE4\xB8", "cut\xE4\xB8 [U+00E4 U+00B8]"},
    };
    for (const auto& [name, shown] : cases) EXPECT_EQ(ShownName(name, ascii), shown) << name;
}
