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

}  // namespace
}  // namespace velmora
