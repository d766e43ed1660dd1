#include "addfiles/add_it.h"

#include <gtest/gtest.h>

#include "addfiles/text_case.h"
#include "runtime/fake_controls.h"

namespace velmora {
namespace {

using Rows = std::vector<std::wstring>;
const std::wstring_view kNul(L"\0", 1);

std::wstring Batch(std::initializer_list<const wchar_t*> items, std::wstring_view sep = kNul) {
    std::wstring out;
    for (const wchar_t* item : items) {
        if (!out.empty() || item != *items.begin()) out += sep;
        out += item;
    }
    return out;
}

TEST(AddIt, NewEntriesGoFirstAndEarlierEqualOnesAreDroppedIgnoringCase) {
    test::FakeList list;
    list.rows = {L"C:\\A\\X.JPG", L"C:\\B\\y.jpg"};
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    AddIt(Batch({L"c:\\a\\x.jpg", L"C:\\C\\z.jpg"}), list, true, kNul, 0);
    EXPECT_EQ(list.rows, (Rows{L"c:\\a\\x.jpg", L"C:\\C\\z.jpg", L"C:\\B\\y.jpg"}));
    EXPECT_EQ(list.index, 0);
    EXPECT_EQ(clicks, 1);

    // Equal entries inside one batch both stay, and so do equal old ones.
    list.rows = {L"old", L"old"};
    AddIt(Batch({L"n", L"n"}), list, true, kNul, -1);
    EXPECT_EQ(list.rows, (Rows{L"n", L"n", L"old", L"old"}));
    EXPECT_EQ(list.index, -1);
}

TEST(AddIt, EmptyBatchTouchesNothingAndOtherwiseTheListIsRebuilt) {
    test::FakeList list;
    list.rows = {L"a", L"b"};
    list.index = 1;
    AddIt(L"", list, true, kNul, 0);
    EXPECT_EQ(list.rows, (Rows{L"a", L"b"}));
    EXPECT_EQ(list.index, 1);

    // Without duplicate removal only the batch remains; a trailing
    // separator gives an empty entry.
    AddIt(Batch({L"x", L""}), list, false, kNul, -1);
    EXPECT_EQ(list.rows, (Rows{L"x", L""}));
}

TEST(AddIt, EntriesHoldingTheSeparatorAreMatchedAgainstTheJoinedBatch) {
    test::FakeList list;
    // With a multi-character separator an old entry spanning two new ones
    // occurs in the joined batch and is dropped.
    list.rows = {L"a, b", L"c"};
    AddIt(Batch({L"A", L"B"}, L", "), list, true, L", ", -1);
    EXPECT_EQ(list.rows, (Rows{L"A", L"B", L"c"}));
}

TEST(AddIt, CaseFoldingCoversNonAsciiLettersAndLargeListsStayFast) {
    EXPECT_EQ(LowerText(L"ÉÀÖ×ĀĲŸΣЖЁＡ照片"), L"éàö×āĳÿσжёａ照片");

    test::FakeList list;
    for (int i = 0; i < 40000; ++i) list.rows.push_back(L"C:\\Pictures\\IMG_" + std::to_wstring(i));
    std::wstring batch;
    for (int i = 39999; i >= 30000; --i) {
        if (!batch.empty()) batch += L'\0';
        batch += L"c:\\pictures\\img_" + std::to_wstring(i);
    }
    AddIt(batch, list, true, kNul, 0);
    ASSERT_EQ(list.ListCount(), 40000);
    EXPECT_EQ(list.rows[0], L"c:\\pictures\\img_39999");
    EXPECT_EQ(list.rows[10000], L"C:\\Pictures\\IMG_0");
    EXPECT_EQ(list.rows[39999], L"C:\\Pictures\\IMG_29999");
}

}  // namespace
}  // namespace velmora
