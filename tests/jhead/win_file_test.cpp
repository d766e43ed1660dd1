// The Windows file layer for real (under Wine in CI): names outside the ANSI
// code page, the replace step, attributes, and the event file that Velmora's
// "查看结果" shows, which must be in the ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include "clean_file.h"
#include "file_system.h"
#include "jpeg_samples.h"
#include "temp_folder.h"

using namespace jhead;
using namespace jhead_test;

namespace {

Bytes Dirty() {
    return Cat({{0xFF, 0xD8}, AllMetadata(3, false), FakeTables(), FakeScans(), B("trailer")});
}

std::wstring W(const std::filesystem::path& p) { return p.wstring(); }

FILETIME LastWrite(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA d{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &d);
    return d.ftLastWriteTime;
}

// "已清理" in code page 936.
const std::string kGbkCleaned = "\xD2\xD1\xC7\xE5\xC0\xED";

TEST(WindowsFiles, UnicodeNameCleanedWithTimesAndAttributesKept) {
    TempFolder t;
    std::string p = t.Path("照片 ✓ 一.jpg");
    WriteFile(p, Dirty());
    std::wstring w = W(FromUtf8(p));
    HANDLE h = CreateFileW(w.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME old{0x12345600, 0x01D00000};
    SetFileTime(h, &old, &old, &old);
    CloseHandle(h);
    SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_ARCHIVE);

    FileResult r = CleanFile(p);
    EXPECT_EQ(r.outcome, Outcome::Cleaned) << r.line;
    Bytes after = ReadFile(p);
    EXPECT_LT(after.size(), Dirty().size());
    EXPECT_EQ(CleanFile(p).outcome, Outcome::NothingToRemove);
    FILETIME now = LastWrite(w);
    EXPECT_EQ(now.dwLowDateTime, old.dwLowDateTime);
    EXPECT_EQ(now.dwHighDateTime, old.dwHighDateTime);
    EXPECT_TRUE(GetFileAttributesW(w.c_str()) & FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(t.Names().size(), 1u);
}

TEST(WindowsFiles, ReadOnlyAttributeRefused) {
    TempFolder t;
    std::string p = t.Path("只读.jpg");
    WriteFile(p, Dirty());
    std::wstring w = W(FromUtf8(p));
    SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_READONLY);
    FileResult r = CleanFile(p);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_NE(r.line.find("只读"), std::string::npos) << r.line;
    EXPECT_TRUE(GetFileAttributesW(w.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFile(p), Dirty());
}

// The real jhead.exe beside this test: wmain arguments and the event file.
TEST(WindowsFiles, ToolTakesUnicodeArgumentsAndLogsInAnsi) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with a simplified Chinese locale";
    TempFolder t;
    std::string p = t.Path("图片 ☃.jpg");
    WriteFile(p, Dirty());
    std::string log = t.Path("Event.txt");
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe = std::filesystem::path(self).parent_path() / L"jhead.exe";
    std::wstring cmd = L"\"" + exe + L"\" -de \"" + W(FromUtf8(p)) + L"\"";
    SetEnvironmentVariableW(L"VELMORA_EVENT_FILE", W(FromUtf8(log)).c_str());
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    SetEnvironmentVariableW(L"VELMORA_EVENT_FILE", nullptr);
    EXPECT_EQ(code, 0u);
    EXPECT_LT(ReadFile(p).size(), Dirty().size());
    Bytes text = ReadFile(log);
    std::string s(text.begin(), text.end());
    EXPECT_NE(s.find(kGbkCleaned), std::string::npos) << s;
    EXPECT_EQ(s.substr(s.size() - 2), "\r\n");
    // The name's Chinese characters in GBK ("图片"), not UTF-8.
    EXPECT_NE(s.find("\xCD\xBC\xC6\xAC"), std::string::npos) << s;
}

}  // namespace
