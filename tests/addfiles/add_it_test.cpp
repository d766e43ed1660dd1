#include "addfiles/add_it.h"

#include <gtest/gtest.h>

#include "runtime/fake_controls.h"
#include "runtime/fake_services.h"

namespace velmora {
namespace {

using Rows = std::vector<std::wstring>;

// Equal entries in one batch get one row (a dropped folder and a picture in
// it); equal old rows that no new entry replaces stay as they were.
TEST(AddIt, NewEntriesGoFirstAndReplaceOldOnesEqualIgnoringCase) {
    test::FakeFileSystem files;
    test::FakeList list;
    list.rows = {L"C:\\A\\X.JPG", L"old", L"old"};
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    AddIt({L"c:\\a\\x.jpg", L"n", L"C:\\A\\x.jpg", L"N"}, list, true, 0, files);
    EXPECT_EQ(list.rows, (Rows{L"c:\\a\\x.jpg", L"n", L"old", L"old"}));
    EXPECT_EQ(std::pair(list.index, clicks), std::pair(0, 1));

    // No entries touch nothing; without duplicate removal only they remain.
    list.index = 1;
    AddIt({}, list, true, 0, files);
    EXPECT_EQ(std::pair(list.rows.size(), list.index), std::pair(size_t(4), 1));
    AddIt({L"x", L""}, list, false, -1, files);
    EXPECT_EQ(list.rows, (Rows{L"x", L""}));
    EXPECT_EQ(std::pair(list.index, clicks), std::pair(-1, 1));  // -1: nothing selected

    // Case twins that are two files (a case-sensitive folder) get a row each.
    files.files[L"C:\\d\\A.jpg"] = files.files[L"C:\\d\\a.jpg"] = {1};
    AddIt({L"C:\\d\\A.jpg", L"C:\\d\\a.jpg", L"C:\\d\\a.jpg"}, list, true, 0, files);
    EXPECT_EQ(list.rows, (Rows{L"C:\\d\\A.jpg", L"C:\\d\\a.jpg", L"x", L""}));
}

}  // namespace
}  // namespace velmora
