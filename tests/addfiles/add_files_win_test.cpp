// The real folder listing, the real common dialog and the real progress
// window, in-process under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "addfiles/folder_scan.h"
#include "addfiles/progress_window_win.h"
#include "common/wildcard.h"
#include "resources/progress_window_layout.h"
#include "runtime/dialogs_win.h"
#include "runtime/fake_services.h"
#include "runtime/file_system_win.h"

namespace velmora {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

struct AddFilesWinTest : ::testing::Test {
    const fs::path dir = fs::temp_directory_path() / L"velmora scan";
    AddFilesWinTest() { fs::create_directories(dir / L"sub"); }
    ~AddFilesWinTest() override {
        RemoveDirectoryW((dir / L"sub" / L"loop").c_str());
        for (const auto& f : fs::recursive_directory_iterator(dir)) {
            SetFileAttributesW(f.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    std::wstring Make(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        CloseHandle(CreateFileW((dir / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                attributes, nullptr));
        return (dir / name).wstring();
    }
};

TEST_F(AddFilesWinTest, TheScanListsEveryNameAndDoesNotFollowALinkBack) {
    std::vector<std::wstring> expected{Make(L"sub\\b.jpg"),
                                       Make(L"a.jpg"),
                                       Make(L"中文.jpg"),
                                       Make(L"한국어.JPG"),
                                       Make(L"hid.jpg", FILE_ATTRIBUTE_HIDDEN),
                                       Make(L"sys.jpg", FILE_ATTRIBUTE_SYSTEM),
                                       Make(L"README") + L"."};
    Make(L"x.png");
    ASSERT_TRUE(CreateSymbolicLinkW((dir / L"sub" / L"loop").c_str(), dir.c_str(),
                                    SYMBOLIC_LINK_FLAG_DIRECTORY));
    Win32FileSystem files;
    std::vector<std::wstring> found;
    ScanFolder(
        files, dir, PatternSet(L"*.jpg;*."), [](auto&) { return true; }, found);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front(), expected.front());  // the subfolder's block first
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
}

TEST_F(AddFilesWinTest, TheDialogReturnsSeveralTypedNamesInUnicode) {
    Make(L"a.jpg");
    Make(L"한국어.JPG");
    std::thread user([] {
        HWND dlg = nullptr;
        for (int i = 0; i < 200 && !(dlg = FindWindowW(L"#32770", L"选择")); ++i) Sleep(50);
        HWND name = GetDlgItem(dlg, 0x480) ? GetDlgItem(dlg, 0x480) : GetDlgItem(dlg, 0x47C);
        SendMessageW(name, WM_SETTEXT, 0, LPARAM(L"\"a.jpg\" \"한국어.JPG\""));
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    const FileDialogAnswer answer = Win32Dialogs(L"Velmora", false)
                                        .ShowFileDialog({FileDialogMode::OpenMany, L"所有文件|*.*",
                                                         L"选择", L"", dir.wstring(), L""});
    user.join();
    EXPECT_EQ(answer.selection, dir.wstring() + L"\0a.jpg\0한국어.JPG"s);
    EXPECT_NE(fs::current_path(), dir);
}

TEST(ProgressWindowWin, TheBarStandsInFrontOfItsTrackAndCancelHidesTheWindow) {
    test::FakeEventLoop events;
    ProgressBar bar(events, &MakeProgressWindow);
    int percent = 42;
    ASSERT_TRUE(bar.UpdateProBar(percent, L"正在扫描文件..."));
    auto* w = static_cast<ProgressWindow*>(bar.View());
    ASSERT_TRUE(w && w->Visible());
    const POINT onBar{w->Pixels(100), w->Pixels(500)}, onTrack{w->Pixels(2500), w->Pixels(500)};
    EXPECT_EQ(ChildWindowFromPoint(w->hwnd(), onBar), w->control(kIdProgressBar));
    EXPECT_EQ(ChildWindowFromPoint(w->hwnd(), onTrack), w->control(kIdProgressTrack));
    SendMessageW(w->control(kIdProgressCancel), BM_CLICK, 0, 0);
    EXPECT_FALSE(w->Visible());
    EXPECT_FALSE(bar.UpdateProBar(percent, L""));
    EXPECT_EQ(bar.View(), nullptr);
}

}  // namespace
}  // namespace velmora
