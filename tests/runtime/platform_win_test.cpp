// The Win32 platform services against the real system (under Wine).
#include "runtime/platform_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "main/shell_wait.h"
#include "runtime/controls_win.h"
#include "runtime/message_loop_win.h"
#include "runtime/text_win.h"

namespace velmora {
namespace {

class Win32PlatformTest : public ::testing::Test {
protected:
    Win32PlatformTest() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        dir = std::wstring(base) + L"velmora platform 100% test";
        CreateDirectoryW(dir.c_str(), nullptr);
    }
    ~Win32PlatformTest() override {
        std::wstring cmd = L"cmd /c rd /s /q \"" + dir + L"\"";
        ShellWait(platform, cmd, kShowHidden);
    }
    std::string ReadBytes(const std::wstring& path) {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void WriteBytes(const std::wstring& path, const std::string& bytes) {
        std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    }

    Win32Platform platform{L"Velmora"};
    std::wstring dir;
};

TEST_F(Win32PlatformTest, ScriptTextIsWrittenInTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "tests run with LANG=zh_CN.UTF-8";
    const std::wstring path = dir + L"\\Go.bat";
    EXPECT_TRUE(platform.SaveSimpleFile(path, L"照片 1\r\n", false));
    EXPECT_TRUE(platform.SaveSimpleFile(path, L"照片 2\r\n", false));
    EXPECT_EQ(ReadBytes(path), "\xD5\xD5\xC6\xAC 2\r\n");
    EXPECT_TRUE(platform.SaveSimpleFile(path, L"x", true));
    EXPECT_EQ(ReadBytes(path), "\xD5\xD5\xC6\xAC 2\r\nx");
    EXPECT_FALSE(platform.SaveSimpleFile(dir + L"\\missing\\Go.bat", L"x", false));
}

TEST_F(Win32PlatformTest, BatchScriptsRunFromFoldersWithBlanksAndPercentSigns) {
    const std::wstring script = dir + L"\\Go.bat";
    const std::wstring marker = dir + L"\\ran.txt";
    platform.SaveSimpleFile(script, L"echo done> \"" + dir + L"\\ran.txt\"\r\n", false);
    // The script's own text needs "%%" for a "%" in the folder's name.
    std::wstring text = L"echo done> \"" + dir + L"\\ran.txt\"\r\n";
    text.replace(text.find(L'%'), 1, L"%%");
    platform.SaveSimpleFile(script, text, false);

    EXPECT_NE(ShellWait(platform, L"\"" + script + L"\"", kShowHidden), 0u);
    EXPECT_EQ(ReadBytes(marker), "done\r\n");
}

TEST_F(Win32PlatformTest, WaitEndsForExitCode259AndForCommandsThatDoNotStart) {
    DWORD start = GetTickCount();
    EXPECT_NE(ShellWait(platform, L"cmd /c exit 259", kShowHidden), 0u);
    EXPECT_LT(GetTickCount() - start, 10000u);

    start = GetTickCount();
    EXPECT_EQ(ShellWait(platform, L"\"" + dir + L"\\no such program.exe\"", kShowHidden), 0u);
    EXPECT_LT(GetTickCount() - start, 5000u);
}

TEST_F(Win32PlatformTest, MoveReplaceSwapsInOneStepUnlessThePictureIsProtected) {
    const std::wstring pic = dir + L"\\照片.jpg", out = pic + L".tmp";
    WriteBytes(pic, "original");
    WriteBytes(out, "cleaned");
    EXPECT_TRUE(platform.MoveReplace(out, pic));
    EXPECT_EQ(ReadBytes(pic), "cleaned");
    EXPECT_FALSE(platform.FileAttributes(out));
    EXPECT_EQ(platform.FileSize(pic), std::optional<int64_t>(7));

    // A picture that is open without delete sharing cannot be replaced.
    WriteBytes(out, "again");
    HANDLE open =
        CreateFileW(pic.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(platform.MoveReplace(out, pic));
    CloseHandle(open);
    EXPECT_EQ(ReadBytes(pic), "cleaned");
    EXPECT_EQ(ReadBytes(out), "again");

    EXPECT_TRUE(platform.CopyFileTo(out, dir + L"\\copy"));
    EXPECT_EQ(platform.FileSize(dir + L"\\copy"), std::optional<int64_t>(5));
}

TEST_F(Win32PlatformTest, CommandLineTextAndEnvironment) {
    EXPECT_EQ(CommandLineAfterProgram(L"\"C:\\Program Files\\V\\Velmora.exe\"  \"a b.jpg\" c"),
              L"\"a b.jpg\" c");
    EXPECT_EQ(CommandLineAfterProgram(L"Velmora.exe x"), L"x");
    EXPECT_EQ(CommandLineAfterProgram(L"Velmora.exe"), L"");
    EXPECT_EQ(ResolveCommandLine(L"notepad \"x.bat\"", L""), L"notepad \"x.bat\"");
    platform.SetEnviron(L"VELMORA_TEST_VAR", L"值");
    EXPECT_EQ(platform.Environ(L"velmora_test_var"), L"值");
    EXPECT_EQ(platform.Environ(L"VELMORA_UNSET_VAR"), L"");
    EXPECT_FALSE(platform.AppPath().empty());
    EXPECT_NE(platform.AppPath().back(), L'\\');
}

TEST_F(Win32PlatformTest, InputBoxReturnsTheTypedTextOrEmptyOnCancel) {
    auto answer = [&](int button, const wchar_t* text) {
        return platform.SetTimer(50, [this, button, text] {
            HWND box = FindWindowW(L"#32770", L"Velmora");
            if (!box) return;
            SetDlgItemTextW(box, 202, text);
            PostMessageW(box, WM_COMMAND, button, 0);
        });
    };
    int timer = answer(IDOK, L"*.jpg;*.jpeg");
    EXPECT_EQ(platform.InputBox(L"通配符：", L"*.jpg", 100, 100), L"*.jpg;*.jpeg");
    platform.KillTimer(timer);
    timer = answer(IDCANCEL, L"ignored");
    EXPECT_EQ(platform.InputBox(L"通配符：", L"*.jpg", -1, -1), L"");
    platform.KillTimer(timer);
}

TEST_F(Win32PlatformTest, CheckBoxRaisesClickOnlyWhenItsValueChanges) {
    HWND box = CreateWindowExW(0, L"BUTTON", L"x", WS_POPUP | BS_AUTOCHECKBOX, 0, 0, 10, 10,
                               nullptr, nullptr, nullptr, nullptr);
    Win32CheckBox check(box);
    int clicks = 0;
    check.OnClick = [&] { ++clicks; };
    check.SetValue(0);
    EXPECT_EQ(clicks, 0);
    check.SetValue(1);
    check.SetValue(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(check.Value(), 1);
    DestroyWindow(box);
}

}  // namespace
}  // namespace velmora
