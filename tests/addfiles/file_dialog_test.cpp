#include "addfiles/file_dialog.h"

#include <gtest/gtest.h>

#include "runtime/fake_services.h"

namespace velmora {
namespace {

using namespace std::string_literals;

TEST(FileDialog, ExpandMultiSelectionGivesFullPathsAndTheFolder) {
    std::wstring cases[][3] = {
        {L"C:\\P\0a.jpg\0b.jpg\0\0"s, L"C:\\P\\a.jpg\0C:\\P\\b.jpg"s, L"C:\\P\\"},
        {L"C:\\\0a.jpg\0b.jpg"s, L"C:\\a.jpg\0C:\\b.jpg"s, L"C:\\"},
        {L"C:\\P\0a.jpg\0D:\\x\\y.jpg"s, L"C:\\P\\a.jpg\0D:\\x\\y.jpg"s, L"C:\\P\\"},
        {L"C:\\P\\one.jpg\0"s, L"C:\\P\\one.jpg", L"C:\\P\\"},
    };
    for (auto& [selection, expanded, folder] : cases) {
        EXPECT_EQ(ExpandMultiSelection(selection), folder);
        EXPECT_EQ(selection, expanded);
    }
}

TEST(FileDialog, RemembersThePlaceForgetsItAfterACancelAndRefusesTooMany) {
    test::FakeDialogs dialogs;
    FileDialogMemory memory;
    dialogs.fileAnswers = {{L"C:\\照片\0a.jpg\0b.jpg"s}, {}, {L"C:\\P\0a.jpg"s, true}, {L"a.jpg"}};
    auto show = [&] {
        return ShowFileDialog(dialogs, memory, FileDialogMode::OpenMany, kDefaultFilterMarker, L"",
                              L"");
    };
    EXPECT_EQ(show(), (std::vector<std::wstring>{L"C:\\照片\\a.jpg", L"C:\\照片\\b.jpg"}));
    EXPECT_EQ(dialogs.fileRequests[0].filter, L"所有文件|*.*");
    EXPECT_EQ(memory.DLG_LastDir, L"C:\\照片\\");
    EXPECT_EQ(memory.DLG_LastFile, L"C:\\照片\\b.jpg");
    EXPECT_TRUE(show().empty());  // cancelled
    EXPECT_EQ(dialogs.fileRequests[1].initialFolder, L"C:\\照片\\");
    EXPECT_EQ(dialogs.fileRequests[1].initialFile, L"C:\\照片\\b.jpg");
    EXPECT_EQ(memory.DLG_LastDir + memory.DLG_LastFile, L"");
    EXPECT_TRUE(show().empty());
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>{L"文件选取过多。"});
    EXPECT_TRUE(show().empty());  // no folder in the answer
}

}  // namespace
}  // namespace velmora
