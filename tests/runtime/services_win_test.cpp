// The Win32 platform services against the real system (under Wine).
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "main/shell_wait.h"
#include "runtime/event_loop_win.h"
#include "runtime/file_bytes.h"
#include "runtime/file_system_win.h"
#include "runtime/processes_win.h"
#include "runtime/run_lock_win.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class ServicesWinTest : public ::testing::Test {
protected:
    ServicesWinTest() { fs::create_directories(dir); }
    ~ServicesWinTest() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    Win32FileSystem files;
    Win32Processes processes;
    Win32EventLoop events;
    // One folder per process: nothing a run before left behind is found.
    const fs::path dir = fs::temp_directory_path() /
                         (L"velmora services 100% test " + std::to_wstring(GetCurrentProcessId()));
};

int g_ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

TEST_F(ServicesWinTest, WaitsEndForEveryKindOfEnd) {
    // Scripts run and are waited for in every end-to-end run; here the ends
    // those runs never meet: an exit code that reads "still active", and a
    // program that cannot start.
    DWORD start = GetTickCount();
    EXPECT_NE(ShellWait(processes, events, L"cmd /c exit 259", Show::Hidden), 0u);
    const std::wstring missing = (dir / L"no such program.exe").wstring();
    EXPECT_EQ(ShellWait(processes, events, missing, Show::Hidden), 0u);
    EXPECT_LT(GetTickCount() - start, 10000u);

    // The window's events are handled all through a wait.
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, CountTick);
    ShellWait(processes, events, L"cmd /c ping -n 2 127.0.0.1 >nul", Show::Hidden);
    KillTimer(nullptr, timer);
    EXPECT_GT(g_ticks, 0);
}

// Processes of a program by its file name; ended first when `end` is set.
int Running(const wchar_t* exe, bool end = false) {
    int n = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W e{};
    e.dwSize = sizeof e;
    for (BOOL more = Process32FirstW(snapshot, &e); more; more = Process32NextW(snapshot, &e)) {
        if (_wcsicmp(e.szExeFile, exe) != 0) continue;
        ++n;
        HANDLE p = end ? OpenProcess(PROCESS_TERMINATE, FALSE, e.th32ProcessID) : nullptr;
        if (p) TerminateProcess(p, 1), CloseHandle(p);
    }
    CloseHandle(snapshot);
    return n;
}

// A tied script takes everything it started along when it is ended, when
// the program ends it (EndTied), or when its owner lets go; what a free one
// started lives on.
TEST_F(ServicesWinTest, ATiedProcessTreeEndsWhole) {
    // A script that starts a program that outlives it (ping waits ~60 s).
    const std::wstring script = (dir / L"tree.bat").wstring();
    WriteBytes(script, "start /b ping -n 60 127.0.0.1 >nul\r\nping -n 60 127.0.0.1 >nul\r\n");
    auto pings = [](int n) {
        for (int i = 0; i < 100 && Running(L"ping.exe") != n; ++i) Sleep(100);
        return Running(L"ping.exe");
    };
    std::unique_ptr<Process> tied = processes.Start(script, Show::Hidden, L"", Tree::Tied);
    ASSERT_EQ(pings(2), 2);
    tied->Terminate();  // the script alone
    EXPECT_TRUE(tied->WaitForExit(5000));
    EXPECT_FALSE(tied->WaitForTree(200));
    tied->TerminateTree();
    EXPECT_TRUE(tied->WaitForTree(5000));
    EXPECT_EQ(pings(0), 0);

    tied = processes.Start(script, Show::Hidden, L"", Tree::Tied);
    ASSERT_EQ(pings(2), 2);
    processes.EndTied();
    EXPECT_EQ(pings(0), 0);
    tied = processes.Start(script, Show::Hidden, L"", Tree::Tied);
    ASSERT_EQ(pings(2), 2);
    tied.reset();  // as when the program ends
    EXPECT_EQ(pings(0), 0);

    std::unique_ptr<Process> free = processes.Start(script, Show::Hidden, L"", Tree::Free);
    ASSERT_EQ(pings(2), 2);
    free->TerminateTree();
    EXPECT_TRUE(free->WaitForExit(5000));
    Sleep(500);
    EXPECT_EQ(Running(L"ping.exe"), 2);
    Running(L"ping.exe", true);
}

// One run at a time: another holder (a thread here, as another program
// would be) does not get the lock until the first lets go; one that ended
// without letting go leaves it free.
TEST_F(ServicesWinTest, TheRunLockHasOneHolder) {
    Win32RunLock mine(L"VelmoraTest");
    EXPECT_TRUE(mine.TryAcquire() && mine.TryAcquire());
    auto elsewhere = [](bool letGo) {
        bool got = false;
        std::thread([&] {
            // Not letting go: the object outlives its thread.
            auto* theirs = new Win32RunLock(L"VelmoraTest");
            got = theirs->TryAcquire();
            if (letGo) delete theirs;
        }).join();
        return got;
    };
    EXPECT_FALSE(elsewhere(true));
    mine.Release();
    EXPECT_TRUE(elsewhere(false));
    EXPECT_TRUE(mine.TryAcquire());
}

// Letter case is ignored the way the file system ignores it, beyond the
// letters a hand-made table would know (the queue keys its rows this way).
TEST_F(ServicesWinTest, NamesEqualBarCaseHaveOneKey) {
    for (auto [upper, lower] : {std::pair{L"Ơ.JPG", L"ơ.jpg"}, {L"Ա.jpg", L"ա.jpg"}}) {
        EXPECT_EQ(files.CaseKey(upper), files.CaseKey(lower)) << upper;
    }
}

// The picture is swapped in one step, but not while it is open without
// delete sharing (in a viewer, say): then both files stay as they were.
TEST_F(ServicesWinTest, APictureInUseIsNotReplaced) {
    const std::wstring pic = (dir / L"照片.jpg").wstring(), out = pic + L".tmp";
    WriteBytes(pic, "original");
    WriteBytes(out, "cleaned");
    HANDLE open =
        CreateFileW(pic.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.MoveReplace(out, pic));
    CloseHandle(open);
    EXPECT_EQ(ReadBytes(pic), "original");
    EXPECT_TRUE(files.MoveReplace(out, pic));
    EXPECT_EQ(ReadBytes(pic), "cleaned");

    // Past 260 characters Windows reaches a file only in the "\\?\" form,
    // which every file step takes (Wine reaches such paths in any form).
    const std::wstring deep = (dir / std::wstring(300, L'd') / L"照片.jpg").wstring();
    EXPECT_EQ(NativePath(deep), L"\\\\?\\" + deep);
}

}  // namespace
}  // namespace velmora
