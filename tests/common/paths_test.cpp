#include "common/paths.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ExtendedLengthPath, AbsolutePathsTakeTheLongFormOthersStayAsTheyAre) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"d:\\a", L"\\\\?\\d:\\a"},
        {L"\\\\server\\share\\a.jpg", L"\\\\?\\UNC\\server\\share\\a.jpg"},
        {L"\\\\?\\C:\\a", L"\\\\?\\C:\\a"},
        {L"\\\\.\\COM1", L"\\\\.\\COM1"},
        // Relative, or parts that only the normal form resolves.
        {L"C:a.jpg", L"C:a.jpg"},
        {L"\\Temp\\Go.bat", L"\\Temp\\Go.bat"},
        {L"C:\\a\\..\\b", L"C:\\a\\..\\b"},
        {L"C:\\a/b", L"C:\\a/b"},
    };
    for (const auto& [path, extended] : cases)
        EXPECT_EQ(ExtendedLengthPath(path), extended) << path;
}

}  // namespace
}  // namespace velmora
