#include "addfiles/path_helpers.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PathHelpers, GetPathPartAndGetParentDir) {
    struct Case {
        const wchar_t* path;
        int16_t mode;  // -9: GetParentDir
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
        {L"C:\\My.Folder\\readme", 2, L"Folder\\readme"},
        {L"C:\\My.Folder\\readme", 3, L"C:\\My"},
        {L"photos/pic.jpg?size=2", 0, L"pic.jpg"},
        {L"photos/pic.jpg?size=2", 2, L"jpg"},
        {L"pic.png", 0, L"pic.png"},
        {L"name.", 2, L""},
        {L"noext", 2, L""},
        {L"C:\\a\\b.jpg", -9, L"C:\\a"},
        {L"C:\\a\\", -9, L"C:"},
        {L"C:\\", -9, L""},
        {L"a/b/c", -9, L"a/b"},
        {L"C:\\a/b", -9, L"C:/a"},
        {L"name", -9, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.mode == -9 ? GetParentDir(c.path) : GetPathPart(c.path, c.mode), c.expected)
            << c.path << " " << c.mode;
    }
}

}  // namespace
}  // namespace velmora
