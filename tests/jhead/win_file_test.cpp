// The real jhead.exe under Windows (Wine in CI): Unicode arguments (beyond
// the BMP too), and the results file that Velmora's "查看结果" shows, in the
// ANSI code page (characters it lacks named by code point), with one line
// per picture when many processes append at once and a scanner holds the
// file for a moment. The file layer itself is jhead_file_test's.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "jpeg_samples.h"

using namespace jhead_test;

namespace {

const Bytes kDirty =
    Cat({{0xFF, 0xD8}, AllMetadata(3, false), FakeTables(), FakeScans(), B("trailer")});

// The jhead.exe beside this test: the first place CreateProcess looks.
HANDLE StartJhead(const std::string& picture) {
    std::wstring cmd = L"jhead.exe -de \"" + FromUtf8(picture).wstring() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

DWORD Finish(HANDLE process) {
    DWORD code = 99;
    WaitForSingleObject(process, 60000);
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

TEST(WindowsTool, UnicodeNamesAndOneAnsiLinePerPicture) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with a simplified Chinese locale";
    TempFolder t;
    std::string log = t.Path("Event.txt");
    SetEnvironmentVariableW(L"VELMORA_EVENT_FILE", FromUtf8(log).c_str());
    std::vector<std::string> pictures;
    for (int i = 0; i < 12; i++) {
        pictures.push_back(t.Path("图片 ☃ 😀 " + std::to_string(i) + ".jpg"));
        WriteFile(pictures.back(), kDirty);
    }
    // Six at once while a scanner holds the results file, then six in turn.
    HANDLE holder =
        CreateFileW(FromUtf8(log).c_str(), GENERIC_READ, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::vector<HANDLE> running;
    for (int i = 0; i < 6; i++) running.push_back(StartJhead(pictures[i]));
    Sleep(2000);
    CloseHandle(holder);
    for (HANDLE h : running) EXPECT_EQ(Finish(h), 0u);
    for (int i = 6; i < 12; i++) EXPECT_EQ(Finish(StartJhead(pictures[i])), 0u);
    SetEnvironmentVariableW(L"VELMORA_EVENT_FILE", nullptr);

    for (const std::string& p : pictures) EXPECT_LT(ReadFile(p).size(), kDirty.size()) << p;
    Bytes text = ReadFile(log);
    std::string s(text.begin(), text.end());
    EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 12) << s;
    EXPECT_EQ(std::count(s.begin(), s.end(), '\r'), 12) << s;
    // "已清理" and the name's "图片", in GBK rather than UTF-8.
    EXPECT_NE(s.find("\xD2\xD1\xC7\xE5\xC0\xED"), std::string::npos) << s;
    EXPECT_NE(s.find("\xCD\xBC\xC6\xAC"), std::string::npos) << s;
    // GBK lacks the snowman and the emoji: each line says which they were.
    size_t told = 0;
    for (size_t at = 0; (at = s.find(" [U+2603 U+1F600]", at)) != std::string::npos; at++) told++;
    EXPECT_EQ(told, 12u) << s;
}

}  // namespace
