#include "addfiles/path_helpers.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PathHelpers, GetPathPartCutsEachPart) {
    struct Case {
        const wchar_t* path;
        int16_t mode;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\Photos\\a.b.JPG", 0, L"a.b.JPG"},
        {L"C:\\Photos\\a.b.JPG", 1, L"a.b"},
        {L"C:\\Photos\\a.b.JPG", 2, L"JPG"},
        {L"C:\\Photos\\a.b.JPG", 3, L"C:\\Photos\\a.b"},
        {L"C:\\Photos\\a.b.JPG", 4, L"a.b.JPG"},
        {L"C:\\Photos\\a.b.JPG", -1, L"a.b"},
        {L"C:\\My.Folder\\readme", 1, L"readme"},
        {L"C:\\My.Folder\\readme", 2, L"Folder\\readme"},  // the last dot lies in a folder
        {L"C:\\My.Folder\\readme", 3, L"C:\\My"},
        {L"photos/pic.jpg?size=2", 0, L"pic.jpg"},
        {L"photos/pic.jpg?size=2", 2, L"jpg"},
        {L"pic.png", 0, L"pic.png"},
        {L"name.", 2, L""},
        {L"noext", 2, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetPathPart(c.path, c.mode), c.expected) << c.path << " mode " << c.mode;
    }
}

TEST(PathHelpers, GetParentDirKeepsTheSeparatorStyle) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\a\\b.jpg", L"C:\\a"}, {L"C:\\a\\", L"C:"},   {L"C:\\", L""},
        {L"a/b/c", L"a/b"},          {L"C:\\a/b", L"C:/a"}, {L"name", L""},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(GetParentDir(path), expected) << path;
}

}  // namespace
}  // namespace velmora
