// The original picture survives what the tool cannot prevent: being killed
// at any moment, and a disk that fills up under it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "jpeg_samples.h"
#include "process.h"
#include "temp_folder.h"

using namespace jhead_test;

namespace {

// Metadata, then size bytes of entropy-coded-looking data (every 0xFF
// stuffed), EOI and a trailer.
Bytes BigPicture(size_t size) {
    Bytes scan = {0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0};
    Bytes head = Cat({{0xFF, 0xD8}, AllMetadata(6, true), FakeTables(), scan});
    Bytes out;
    out.reserve(head.size() + size + size / 128 + 64);
    out = head;
    uint32_t x = 12345;
    for (size_t i = 0; i < size; i++) {
        x = x * 1103515245 + 12345;
        uint8_t b = (uint8_t)(x >> 16);
        out.push_back(b);
        if (b == 0xFF) out.push_back(0x00);
    }
    return Cat({out, {0xFF, 0xD9}, B("trailer")});
}

int RunJhead(const std::string& path) {
    int status;
    Shell(Quote(JHEAD_EXE) + " -de " + Quote(path) + " >/dev/null 2>&1", &status);
    return status;
}

TEST(KilledRun, LeavesEitherOriginalOrCleanedPicture) {
    TempFolder t;
    Bytes dirty = BigPicture(32 << 20);
    std::string p = t.Path("p.jpg");
    WriteFile(p, dirty);
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunJhead(p), 0);
    auto full = std::chrono::duration_cast<std::chrono::microseconds>(
                    std::chrono::steady_clock::now() - start)
                    .count();
    Bytes cleaned = ReadFile(p);
    ASSERT_LT(cleaned.size(), dirty.size());

    int untouched = 0, replaced = 0;
    for (int i = 0; i <= 12; i++) {
        WriteFile(p, dirty);
        pid_t pid = fork();
        if (pid == 0) {
            freopen("/dev/null", "w", stdout);
            execl(JHEAD_EXE, "jhead", "-de", p.c_str(), (char*)nullptr);
            _exit(127);
        }
        // From before the first write to after the rename.
        usleep((useconds_t)(full * i / 8));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        Bytes now = ReadFile(p);
        bool same = now == dirty;
        bool done = now == cleaned;
        EXPECT_TRUE(same || done) << "kill after " << full * i / 8 << " us left a mix";
        untouched += same;
        replaced += done;
        // A kill leaves its temporary file behind (nothing can remove it);
        // it never has the name Velmora would move over the picture.
        for (const std::string& n : t.Names()) {
            EXPECT_NE(n, "p.jpg.tmp");
            if (n != "p.jpg") std::filesystem::remove(t.dir / n);
        }
    }
    EXPECT_GT(untouched, 0);
    printf("kills: %d left the original, %d the cleaned picture (full run %lld us)\n", untouched,
           replaced, (long long)full);
}

TEST(FullDisk, OriginalSurvivesNoSpaceLeft) {
    TempFolder t;
    std::string mnt = t.Path("small");
    std::filesystem::create_directory(mnt);
    int status;
    std::string out = Shell("mount -t tmpfs -o size=1m tmpfs " + Quote(mnt) + " 2>&1", &status);
    if (status != 0) GTEST_SKIP() << "cannot mount a small tmpfs here: " << out;
    // Fits once, not twice.
    Bytes dirty = BigPicture(700 << 10);
    std::string p = mnt + "/p.jpg";
    WriteFile(p, dirty);
    int result = RunJhead(p);
    Bytes after = ReadFile(p);
    std::set<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(mnt)) {
        names.insert(e.path().filename().string());
    }
    Shell("umount " + Quote(mnt));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(after, dirty);
    EXPECT_EQ(names, std::set<std::string>{"p.jpg"});
}

}  // namespace
