#include "common/paths.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ExtendedLengthPath, AbsolutePathsTakeTheLongFormOthersStayAsTheyAre) {
    struct Case {
        const wchar_t* path;
        const wchar_t* extended;
    } cases[] = {
        {L"C:\\Pictures\\a.jpg", L"\\\\?\\C:\\Pictures\\a.jpg"},
        {L"d:\\a", L"\\\\?\\d:\\a"},
        {L"\\\\server\\share\\a.jpg", L"\\\\?\\UNC\\server\\share\\a.jpg"},
        {L"\\\\?\\C:\\a", L"\\\\?\\C:\\a"},
        {L"\\\\.\\COM1", L"\\\\.\\COM1"},
        {L"a.jpg", L"a.jpg"},
        {L"C:a.jpg", L"C:a.jpg"},
        {L"\\Temp\\Go.bat", L"\\Temp\\Go.bat"},
        {L"C:\\a\\..\\b", L"C:\\a\\..\\b"},
        {L"C:\\a\\.\\b", L"C:\\a\\.\\b"},
        {L"C:/a/b", L"C:/a/b"},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(ExtendedLengthPath(c.path), c.extended) << c.path;
}

}  // namespace
}  // namespace velmora
