#include "addfiles/add_it.h"

#include <gtest/gtest.h>

#include "runtime/fake_controls.h"
#include "runtime/fake_services.h"

namespace velmora {
namespace {

using Rows = std::vector<std::wstring>;

TEST(AddIt, NewEntriesGoFirstAndEarlierEqualOnesAreDroppedIgnoringCase) {
    test::FakeFileSystem files;
    test::FakeList list;
    list.rows = {L"C:\\A\\X.JPG", L"C:\\B\\y.jpg"};
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    AddIt({L"c:\\a\\x.jpg", L"C:\\C\\z.jpg"}, list, true, 0, files);
    EXPECT_EQ(list.rows, (Rows{L"c:\\a\\x.jpg", L"C:\\C\\z.jpg", L"C:\\B\\y.jpg"}));
    EXPECT_EQ(list.index, 0);
    EXPECT_EQ(clicks, 1);

    // Equal entries inside one batch both stay, and so do equal old ones.
    list.rows = {L"old", L"old"};
    AddIt({L"n", L"n"}, list, true, -1, files);
    EXPECT_EQ(list.rows, (Rows{L"n", L"n", L"old", L"old"}));
    EXPECT_EQ(list.index, -1);

    // No entries touch nothing; without duplicate removal only they remain.
    list.index = 1;
    AddIt({}, list, true, 0, files);
    EXPECT_EQ(list.rows.size(), 4u);
    EXPECT_EQ(list.index, 1);
    AddIt({L"x", L""}, list, false, -1, files);
    EXPECT_EQ(list.rows, (Rows{L"x", L""}));
}

TEST(AddIt, LargeListsStayFast) {
    test::FakeFileSystem files;
    test::FakeList list;
    for (int i = 0; i < 40000; ++i) list.rows.push_back(L"C:\\Pictures\\IMG_" + std::to_wstring(i));
    Rows batch;
    for (int i = 39999; i >= 30000; --i)
        batch.push_back(L"c:\\pictures\\img_" + std::to_wstring(i));
    AddIt(batch, list, true, 0, files);
    ASSERT_EQ(list.ListCount(), 40000);
    EXPECT_EQ(list.rows[0], L"c:\\pictures\\img_39999");
    EXPECT_EQ(list.rows[10000], L"C:\\Pictures\\IMG_0");
    EXPECT_EQ(list.rows[39999], L"C:\\Pictures\\IMG_29999");
}

}  // namespace
}  // namespace velmora
