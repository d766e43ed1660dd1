// Cleaning files on disk through the file layer, natively and under Wine:
// the original is untouched or fully replaced, whatever fails, keeps its
// times and permissions, and every refusal says why in words.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "clean_file.h"
#include "cleaner.h"
#include "file_system.h"
#include "jpeg_samples.h"
#include "temp_folder.h"
#include "tool.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace jhead;
using namespace jhead_test;
namespace stdfs = std::filesystem;

namespace {

Bytes Dirty() {
    Bytes clean = Cat({{0xFF, 0xD8}, FakeTables(), FakeScans()});
    return InsertAfterJfif(Cat({clean, B("trailer")}), AllMetadata(6, false));
}

Bytes Expected(const Bytes& in) {
    Plan plan;
    MemoryOutput out;
    bool wrote;
    CleanInMemory(in.data(), in.size(), &plan, &out, &wrote);
    return out.bytes;
}

// Whole seconds: Windows keeps 100 ns steps, not the clock's nanoseconds.
const auto kOldTime = std::chrono::floor<std::chrono::seconds>(stdfs::file_time_type::clock::now() -
                                                               std::chrono::hours(24 * 400));

void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

class CleanFileTest : public ::testing::Test {
protected:
    void TearDown() override { fs::SetFaultHook(nullptr); }
    std::string Put(const std::string& name, const Bytes& data) {
        std::string p = t.Path(name);
        WriteFile(p, data);
        stdfs::last_write_time(FromUtf8(p), kOldTime);
        return p;
    }
    TempFolder t;
};

TEST_F(CleanFileTest, ReplacesPictureKeepingTimesPermissionsAndName) {
#ifdef _WIN32
    std::string long_name = std::string(196, 'n') + ".jpg";
    std::vector<std::string> names = {"照片 ✓ 一.jpg", long_name};
#else
    std::string long_name = std::string(246, 'n') + ".jpg";
    std::vector<std::string> names = {"照片 ✓ 一.jpg", long_name, "two\nlines.jpg"};
#endif
    for (const std::string& name : names) {
        std::string p = Put(name, Dirty());
#ifndef _WIN32
        chmod(p.c_str(), 0640);
#endif
        FileResult r = CleanFile(p);
        EXPECT_EQ(r.outcome, Outcome::Cleaned) << r.line;
        EXPECT_EQ(ReadFile(p), Expected(Dirty()));
        EXPECT_EQ(stdfs::last_write_time(FromUtf8(p)), kOldTime);
        EXPECT_EQ(t.Names(), std::set<std::string>{name});
        EXPECT_NE(r.line.find("保留方向信息（6）"), std::string::npos) << r.line;
        EXPECT_EQ(r.line.find('\n'), std::string::npos) << r.line;
        EXPECT_EQ(CleanFile(p).outcome, Outcome::NothingToRemove);
#ifndef _WIN32
        struct stat st;
        stat(p.c_str(), &st);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
#endif
        stdfs::remove(FromUtf8(p));
    }
}

TEST_F(CleanFileTest, RefusedFilesStayByteForByteAndSayWhy) {
    Bytes dirty = Dirty();
    struct Case {
        std::string name;
        Bytes data;  // empty: not a file made here
        const char* says;
    } cases[] = {
        {"a.png", B("\x89PNG\r\n\x1a\n data"), "不是 JPEG"},
        {"cut.jpg", Bytes(dirty.begin(), dirty.begin() + 40), "超出文件末尾"},
        {"empty.jpg", {0xFF, 0xD8, 0xFF, 0xD9}, "没有图像数据"},
        {"ro.jpg", dirty, "只读"},
        {"missing.jpg", {}, "找不到"},
        {"folder", {}, "不是普通文件"},
        {std::string(300, 'x') + ".jpg", {}, "太长"},
#ifdef _WIN32
        {"NUL", {}, "不是普通文件"},
        {"con.jpg", {}, "不是普通文件"},
        {"COM1", {}, "不是普通文件"},
#else
        {"fifo.jpg", {}, "不是普通文件"},
        {"loop.jpg", {}, "循环"},
#endif
    };
    stdfs::create_directory(t.dir / "folder");
#ifndef _WIN32
    mkfifo(t.Path("fifo.jpg").c_str(), 0644);
    symlink("loop.jpg", t.Path("loop.jpg").c_str());
#endif
    for (const Case& c : cases) {
        std::string p = c.data.empty() ? t.Path(c.name) : Put(c.name, c.data);
        if (c.name == "ro.jpg") {
            stdfs::permissions(
                FromUtf8(p),
                stdfs::perms::owner_write | stdfs::perms::group_write | stdfs::perms::others_write,
                stdfs::perm_options::remove);
        }
        FileResult r = CleanFile(p);
        EXPECT_EQ(r.outcome, Outcome::Failed) << c.name;
        EXPECT_NE(r.line.find(c.says), std::string::npos) << r.line;
        if (c.data.empty()) continue;
        EXPECT_EQ(ReadFile(p), c.data) << c.name;
        EXPECT_EQ(stdfs::last_write_time(FromUtf8(p)), kOldTime) << c.name;
    }
}

// The hook fails one chosen operation, optionally only its n-th call.
fs::Op g_fail_op;
int g_fail_call;
int g_calls;
bool FailChosen(fs::Op op) { return op == g_fail_op && ++g_calls == g_fail_call; }

TEST_F(CleanFileTest, FailureAtAnyStepLeavesOriginalAndNoTemporaryFile) {
    Bytes dirty = Dirty();
    std::string p = Put("p.jpg", dirty);
    struct Step {
        fs::Op op;
        int call;
    } steps[] = {{fs::Op::Open, 1}, {fs::Op::Read, 1},
                 {fs::Op::Create, 1},       {fs::Op::Write, 1}, {fs::Op::CopyMetadata, 1},
                 {fs::Op::Flush, 1},        {fs::Op::Close, 1}, {fs::Op::Replace, 1}};
    fs::SetFaultHook(FailChosen);
    for (Step s : steps) {
        g_fail_op = s.op;
        g_fail_call = s.call;
        g_calls = 0;
        FileResult r = CleanFile(p);
        ASSERT_GE(g_calls, s.call) << "step never reached: " << (int)s.op;
        EXPECT_EQ(r.outcome, Outcome::Failed) << (int)s.op << " call " << s.call << r.line;
        EXPECT_NE(r.line.find("磁盘空间不足"), std::string::npos) << r.line;
        EXPECT_EQ(ReadFile(p), dirty) << (int)s.op;
        EXPECT_EQ(t.Names(), std::set<std::string>{"p.jpg"}) << (int)s.op;
    }
}

// Temporary files: ".jhead-PID-NN.part", never P.tmp (Velmora moves that
// one over the picture); those of processes that are gone are removed.
std::string g_folder;
std::set<std::string> g_seen;
bool RecordNames(fs::Op op) {
    if (op == fs::Op::Flush) {
        for (auto& e : stdfs::directory_iterator(FromUtf8(g_folder))) {
            g_seen.insert(e.path().filename().string());
        }
    }
    return false;
}

TEST_F(CleanFileTest, TemporaryFilesOursOnlyAndAbandonedOnesRemoved) {
    char live[32];
    snprintf(live, sizeof live, ".jhead-%08x-00.part", fs::ProcessId());
    std::set<std::string> others = {"p.jpg.tmp", live, ".jhead-7ffffff0-0.part"};
    for (const std::string& n : others) Put(n, B("other"));
    Put(".jhead-7ffffff0-00.part", B("abandoned"));
    std::string p = Put("p.jpg", Dirty());
    g_folder = t.dir.string();
    g_seen.clear();
    fs::SetFaultHook(RecordNames);
    EXPECT_EQ(CleanFile(p).outcome, Outcome::Cleaned);
    others.insert("p.jpg");
    EXPECT_EQ(t.Names(), others);
    others.insert(".jhead-" + std::string(live + 7, 8) + "-01.part");
    EXPECT_EQ(g_seen, others);
    EXPECT_EQ(ReadFile(t.Path("p.jpg.tmp")), B("other"));
}

TEST_F(CleanFileTest, LinksKeepTheirMeaning) {
    std::string p = Put("p.jpg", Dirty());
    stdfs::create_hard_link(FromUtf8(p), t.dir / "other name.jpg");
    FileResult r = CleanFile(p);
    EXPECT_NE(r.line.find("另有 1 个硬链接"), std::string::npos) << r.line;
    EXPECT_EQ(ReadFile(t.Path("other name.jpg")), Dirty());
#ifndef _WIN32
    std::string target = Put("real.jpg", Dirty());
    std::string link = t.Path("link.jpg");
    ASSERT_EQ(symlink("real.jpg", link.c_str()), 0);
    EXPECT_EQ(CleanFile(link).outcome, Outcome::Cleaned);
    EXPECT_TRUE(stdfs::is_symlink(link));
    EXPECT_EQ(ReadFile(target), Expected(Dirty()));
#endif
}

TEST_F(CleanFileTest, CommandLineStatusesAndEventFile) {
    std::string dirty = Put("dirty.jpg", Dirty());
    std::string clean = Put("clean.jpg", Expected(Dirty()));
    std::string broken = Put("broken.jpg", B("\xFF\xD8\xFF\xE1\x10\x00"));
    std::string events = t.Path("Event.txt");
    SetEnv("VELMORA_EVENT_FILE", events);
    // Usage errors touch nothing, not even the files named with them.
    EXPECT_EQ(RunTool({"-de", "--bogus", dirty}), 2);
    EXPECT_EQ(RunTool({"-de"}), 2);
    EXPECT_EQ(RunTool({"--help"}), 0);
    EXPECT_EQ(RunTool({"--version"}), 0);
    // Report only.
    EXPECT_EQ(RunTool({dirty, clean}), 0);
    EXPECT_EQ(ReadFile(dirty), Dirty());
    EXPECT_EQ(RunTool({"-de", dirty, clean, broken}), 1);
    EXPECT_EQ(RunTool({"-de", "--", clean}), 0);
    Bytes log = ReadFile(events);
    std::string text(log.begin(), log.end());
    EXPECT_EQ(ReadFile(dirty), Expected(Dirty()));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6) << text;
    // A results file that cannot be written fails the run, though the picture is fine.
    SetEnv("VELMORA_EVENT_FILE", t.Path("missing/Event.txt"));
    EXPECT_EQ(RunTool({"-de", clean}), 1);
    SetEnv("VELMORA_EVENT_FILE", "");
#ifndef _WIN32
    // On Windows the log is in the ANSI code page; the Windows test reads it.
    EXPECT_NE(text.find("dirty.jpg：JPEG"), std::string::npos) << text;
    EXPECT_NE(text.find("dirty.jpg：已清理"), std::string::npos) << text;
    EXPECT_NE(text.find("broken.jpg：未处理"), std::string::npos) << text;
#endif
}

}  // namespace
