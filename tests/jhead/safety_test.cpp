// The built tool as a process: killed or interrupted at any moment, and run
// by another user. (A full disk is the file test's injected DiskFull.)
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <tuple>

#include "jpeg_samples.h"
#include "shell.h"

using namespace jhead_test;

namespace {

// Metadata, then size bytes of entropy-coded-looking data (no 0xFF, so no
// stuffing needed) in the first scan, and a trailer.
Bytes BigPicture(size_t size) {
    Bytes data(size);
    uint32_t x = 12345;
    for (uint8_t& b : data) b = (uint8_t)(((x = x * 1103515245 + 12345) >> 16) % 255);
    return Cat({{0xFF, 0xD8}, AllMetadata(6, true), FakeTables(), FakeScans(data), B("t")});
}

pid_t StartJhead(const std::string& path) {
    pid_t pid = fork();
    if (pid == 0) {
        freopen("/dev/null", "w", stdout);
        execl(JHEAD_EXE, "jhead", "-de", path.c_str(), (char*)nullptr);
        _exit(127);
    }
    return pid;
}

// Killed at any moment, the picture is the original or the cleaned one, and
// the next run removes what the killed one left behind. Interrupted (Ctrl+C,
// SIGTERM, the terminal closed) while writing, the tool removes it itself.
TEST(Signals, PictureWholeAndNoTemporaryFileLeft) {
    TempFolder t;
    Bytes dirty = BigPicture(32 << 20);
    std::string p = t.Path("p.jpg");
    WriteFile(p, dirty);
    auto start = std::chrono::steady_clock::now();
    int status = -1;
    waitpid(StartJhead(p), &status, 0);
    ASSERT_EQ(status, 0);
    auto full = std::chrono::steady_clock::now() - start;
    Bytes cleaned = ReadFile(p);
    int untouched = 0;
    for (int i = 0; i <= 12; i++) {
        WriteFile(p, dirty);
        pid_t pid = StartJhead(p);
        // From before the first write to after the rename.
        std::this_thread::sleep_for(full * i / 8);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        Bytes now = ReadFile(p);
        EXPECT_TRUE(now == dirty || now == cleaned) << "kill at step " << i << " left a mix";
        untouched += now == dirty;
    }
    EXPECT_GT(untouched, 0);
    WriteFile(p, dirty);
    waitpid(StartJhead(p), &status, 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(t.Names(), std::set<std::string>{"p.jpg"});
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        WriteFile(p, dirty);
        pid_t pid = StartJhead(p);
        // Until its temporary file shows beside the picture.
        while (t.Names().size() < 2 && waitpid(pid, &status, WNOHANG) == 0) usleep(200);
        kill(pid, sig);
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig << " status " << status;
        EXPECT_EQ(t.Names(), std::set<std::string>{"p.jpg"}) << sig;
        EXPECT_TRUE(ReadFile(p) == dirty) << sig;
    }
}

// Another user in a folder anyone may write: only their own pictures change,
// and those keep their owner.
TEST(OtherUser, ChangesOnlyFilesItMayWriteAndKeepsOwners) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    TempFolder t;
    chmod(t.dir.c_str(), 0777);
    std::tuple<uid_t, mode_t, const char*> cases[] = {
        {0, 0644, "没有修改此文件的权限"}, {0, 0666, "所有者"}, {65534, 0644, "已清理"}};
    Bytes dirty = BigPicture(1000);
    std::string p = t.Path("p.jpg");
    for (const auto& [owner, mode, says] : cases) {
        WriteFile(p, dirty);
        chown(p.c_str(), owner, owner);
        chmod(p.c_str(), mode);
        std::string out = Shell("setpriv --reuid=65534 --regid=65534 --clear-groups " +
                                Quote(JHEAD_EXE) + " -de " + Quote(p));
        EXPECT_NE(out.find(says), std::string::npos) << out;
        struct stat st;
        stat(p.c_str(), &st);
        EXPECT_EQ(st.st_uid, owner);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_EQ(ReadFile(p) == dirty, owner == 0) << out;
        EXPECT_EQ(t.Names(), std::set<std::string>{"p.jpg"});
    }
}

}  // namespace
