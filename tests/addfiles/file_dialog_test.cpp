#include "addfiles/file_dialog.h"

#include <gtest/gtest.h>

#include "runtime/fake_services.h"

namespace velmora {
namespace {

using Paths = std::vector<std::wstring>;
using namespace std::string_literals;

TEST(FileDialog, ExpandMultiSelectionGivesFullPathsAndTheFolder) {
    struct Case {
        std::wstring selection, expanded, folder;
    };
    const Case cases[] = {
        {L"C:\\P\0a.jpg\0b.jpg\0\0"s, L"C:\\P\\a.jpg\0C:\\P\\b.jpg"s, L"C:\\P\\"},
        {L"C:\\\0a.jpg\0b.jpg"s, L"C:\\a.jpg\0C:\\b.jpg"s, L"C:\\"},
        {L"C:\\P\0a.jpg\0D:\\x\\y.jpg"s, L"C:\\P\\a.jpg\0D:\\x\\y.jpg"s, L"C:\\P\\"},
        {L"C:\\P\\one.jpg\0"s, L"C:\\P\\one.jpg", L"C:\\P\\"},
        {L"", L"", L""},
    };
    for (Case c : cases) {
        const std::wstring folder = ExpandMultiSelection(c.selection);
        EXPECT_EQ(c.selection, c.expanded);
        EXPECT_EQ(folder, c.folder);
    }
}

TEST(FileDialog, RemembersThePlaceAndForgetsItAfterACancel) {
    test::FakeDialogs dialogs;
    FileDialogMemory memory;
    dialogs.fileAnswers.push_back({L"C:\\照片\0a.jpg\0b.jpg"s});
    EXPECT_EQ(ShowFileDialog(dialogs, memory, FileDialogMode::OpenMany, kDefaultFilterMarker,
                             L"选择文件(可多选)", L""),
              (Paths{L"C:\\照片\\a.jpg", L"C:\\照片\\b.jpg"}));
    EXPECT_EQ(dialogs.fileRequests[0].filter, L"所有文件|*.*");
    EXPECT_EQ(memory.DLG_LastDir, L"C:\\照片\\");
    EXPECT_EQ(memory.DLG_LastFile, L"C:\\照片\\b.jpg");

    // The next dialog opens there; a cancelled one clears both.
    EXPECT_TRUE(ShowFileDialog(dialogs, memory, FileDialogMode::OpenMany, L"", L"", L"").empty());
    EXPECT_EQ(dialogs.fileRequests[1].initialFolder, L"C:\\照片\\");
    EXPECT_EQ(dialogs.fileRequests[1].initialFile, L"C:\\照片\\b.jpg");
    EXPECT_EQ(memory.DLG_LastDir, L"");
    EXPECT_EQ(memory.DLG_LastFile, L"");
}

TEST(FileDialog, TooManyFilesAndPathlessAnswersGiveNothing) {
    test::FakeDialogs dialogs;
    FileDialogMemory memory;
    dialogs.fileAnswers.push_back({L"C:\\P\0a.jpg"s, true});
    dialogs.fileAnswers.push_back({L"a.jpg"});
    EXPECT_TRUE(ShowFileDialog(dialogs, memory, FileDialogMode::OpenMany, L"", L"", L"").empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"文件选取过多。");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(ShowFileDialog(dialogs, memory, FileDialogMode::OpenMany, L"", L"", L"").empty());
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace velmora
