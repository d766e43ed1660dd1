#include "addfiles/file_dialog.h"
#include "addfiles/path_helpers.h"
#include "addfiles/pattern_suggestion.h"

#include <gtest/gtest.h>

#include "runtime/fake_services.h"

namespace velmora {
namespace {

using namespace std::string_literals;

TEST(FileDialog, ExpandMultiSelectionGivesFullPathsAndTheFolder) {
    std::wstring cases[][3] = {
        {L"C:\\P\0a.jpg\0b.jpg\0\0"s, L"C:\\P\\a.jpg\0C:\\P\\b.jpg"s, L"C:\\P\\"},
        {L"C:\\\0a.jpg\0b.jpg"s, L"C:\\a.jpg\0C:\\b.jpg"s, L"C:\\"},
        {L"C:\\P\\one.jpg\0"s, L"C:\\P\\one.jpg", L"C:\\P\\"}};
    for (auto& [selection, expanded, folder] : cases) {
        EXPECT_EQ(ExpandMultiSelection(selection), folder);
        EXPECT_EQ(selection, expanded);
    }
}

TEST(FileDialog, RemembersThePlaceForgetsItAfterACancelAndRefusesTooMany) {
    test::FakeDialogs dialogs;
    FileDialogMemory memory;
    dialogs.fileAnswers = {{L"C:\\照片\0a.jpg\0b.jpg"s}, {}, {L"C:\\P\0a.jpg"s, true}};
    auto show = [&] {
        return ShowFileDialog(dialogs, memory, FileDialogMode::OpenMany, kDefaultFilterMarker, L"",
                              L"");
    };
    EXPECT_EQ(show(), (std::vector<std::wstring>{L"C:\\照片\\a.jpg", L"C:\\照片\\b.jpg"}));
    EXPECT_EQ(dialogs.fileRequests[0].filter, L"所有文件|*.*");
    EXPECT_EQ(memory.DLG_LastDir + L"|" + memory.DLG_LastFile, L"C:\\照片\\|C:\\照片\\b.jpg");
    EXPECT_TRUE(show().empty());  // cancelled
    EXPECT_EQ(dialogs.fileRequests[1].initialFolder + L"|" + dialogs.fileRequests[1].initialFile,
              L"C:\\照片\\|C:\\照片\\b.jpg");
    EXPECT_EQ(memory.DLG_LastDir + memory.DLG_LastFile, L"");
    EXPECT_TRUE(show().empty() && dialogs.Texts() == std::vector<std::wstring>{L"文件选取过多。"});
}

// The name and the extension, the parts the program asks for.
TEST(PathHelpers, GetPathPartAndGetParentDir) {
    struct Case {
        const wchar_t* path;
        int16_t mode;  // -9: GetParentDir
        const wchar_t* expected;
    };
    // clang-format off
    const Case cases[] = {
        {L"C:\\Photos\\a.b.JPG", 0, L"a.b.JPG"}, {L"C:\\Photos\\a.b.JPG", 2, L"JPG"},
        {L"C:\\My.Folder\\readme", 2, L"Folder\\readme"}, {L"photos/pic.jpg?size=2", 0, L"pic.jpg"},
        {L"photos/pic.jpg?size=2", 2, L"jpg"}, {L"name.", 2, L""}, {L"noext", 2, L""},
        {L"C:\\a\\", -9, L"C:"}, {L"C:\\", -9, L""}, {L"a/b/c", -9, L"a/b"}, {L"C:\\a/b", -9, L"C:/a"}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(c.mode == -9 ? GetParentDir(c.path) : GetPathPart(c.path, c.mode), c.expected)
            << c.path << " " << c.mode;
    }
}

TEST(PatternSuggestion, APictureGetsEveryKindTheToolCleansAnyOtherKindItsOwn) {
    for (const wchar_t* kind : {L"jpg", L"WebP", L"heic"})
        EXPECT_EQ(SuggestedPatterns(kind), L"*.jpg;*.jpeg;*.png;*.webp;*.heic;*.heif;*.avif");
    for (const wchar_t* other : {L"jpe", L"jpgx", L"hei", L""})
        EXPECT_EQ(SuggestedPatterns(other), std::wstring(L"*.") + other);
}

}  // namespace
}  // namespace velmora
