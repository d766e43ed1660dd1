// The real folder listing and the real common dialog, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

#include "addfiles/folder_scan.h"
#include "common/wildcard.h"
#include "runtime/dialogs_win.h"
#include "runtime/file_system_win.h"

namespace velmora {
namespace {

using Paths = std::vector<std::wstring>;
using namespace std::string_literals;

struct AddFilesWinTest : ::testing::Test {
    std::wstring dir;
    AddFilesWinTest() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        dir =
            std::wstring(base) + L"velmora scan " + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(dir.c_str(), nullptr);
        CreateDirectoryW((dir + L"sub").c_str(), nullptr);
    }
    ~AddFilesWinTest() override {
        RemoveDirectoryW((dir + L"sub\\loop").c_str());
        for (const wchar_t* f : {L"a.jpg", L"中文.jpg", L"한국어.JPG", L"README", L"hid.jpg",
                                 L"sys.jpg", L"x.png", L"sub\\b.jpg"}) {
            SetFileAttributesW((dir + f).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((dir + f).c_str());
        }
        RemoveDirectoryW((dir + L"sub").c_str());
        RemoveDirectoryW(dir.c_str());
    }
    void Make(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        HANDLE h = CreateFileW((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               attributes, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
    }
};

TEST_F(AddFilesWinTest, TheScanListsEveryNameAndDoesNotFollowALinkBack) {
    for (const wchar_t* f :
         {L"a.jpg", L"中文.jpg", L"한국어.JPG", L"README", L"x.png", L"sub\\b.jpg"})
        Make(f);
    Make(L"hid.jpg", FILE_ATTRIBUTE_HIDDEN);
    Make(L"sys.jpg", FILE_ATTRIBUTE_SYSTEM);
    // A link from the subfolder back to the top: followed, it never ends.
    ASSERT_TRUE(CreateSymbolicLinkW((dir + L"sub\\loop").c_str(), dir.c_str(),
                                    SYMBOLIC_LINK_FLAG_DIRECTORY));

    Win32FileSystem files;
    Paths found;
    ASSERT_TRUE(ScanFolder(
        files, dir, PatternSet(L"*.jpg;*."), [](auto&) { return true; }, found));
    // The subfolder's block comes before the folder's own files.
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front(), dir + L"sub\\b.jpg");
    std::sort(found.begin(), found.end());
    Paths expected;
    for (const wchar_t* f :
         {L"a.jpg", L"中文.jpg", L"한국어.JPG", L"README.", L"hid.jpg", L"sys.jpg", L"sub\\b.jpg"})
        expected.push_back(dir + f);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
    EXPECT_FALSE(files.ListFolder(dir + L"missing"));
}

TEST_F(AddFilesWinTest, TheDialogReturnsSeveralTypedNamesInUnicode) {
    Make(L"a.jpg");
    Make(L"한국어.JPG");
    const std::wstring title = L"选择文件(可多选)";
    std::thread user([&] {
        for (int i = 0; i < 200; ++i) {
            HWND dlg = FindWindowW(L"#32770", title.c_str());
            HWND name = dlg ? GetDlgItem(dlg, 0x480) : nullptr;  // edt1
            if (!name && dlg) name = GetDlgItem(dlg, 0x47c);     // cmb13
            if (name) {
                SendMessageW(name, WM_SETTEXT, 0, LPARAM(L"\"a.jpg\" \"한국어.JPG\""));
                PostMessageW(dlg, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(50);
        }
    });
    FileDialogRequest request;
    request.filter = L"所有文件|*.*";
    request.title = title;
    request.initialFolder = dir;
    const FileDialogAnswer answer = Win32Dialogs(L"Velmora", false).ShowFileDialog(request);
    user.join();
    EXPECT_FALSE(answer.tooManyFiles);
    std::wstring folder = dir.substr(0, dir.size() - 1);
    EXPECT_EQ(answer.selection, folder + L"\0a.jpg\0한국어.JPG"s);
}

}  // namespace
}  // namespace velmora
