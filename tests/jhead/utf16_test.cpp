// Windows names may hold lone surrogates (NTFS takes any UTF-16): they must
// survive the tool's UTF-8 form. Names with Chinese and emoji are
// jhead_win_test's, through the real tool.
#include <gtest/gtest.h>

#include "utf16.h"

using namespace jhead;

TEST(Utf16, LoneSurrogatesRoundTrip) {
    for (std::u16string name : {u"a\xD800-", u"x\xDC00", u"\xDC00\xD800"}) {
        EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(name)), name);
    }
}
