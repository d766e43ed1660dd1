// Cleaning files on disk through the file layer: the original is untouched
// or fully replaced, whatever fails, and keeps its times and permissions.
#include <gtest/gtest.h>

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

TEST_F(CleanFileTest, ReplacesPictureKeepingTimesAndPermissions) {
    std::string p = Put("p.jpg", Dirty());
#ifndef _WIN32
    chmod(p.c_str(), 0640);
#endif
    FileResult r = CleanFile(p);
    EXPECT_EQ(r.outcome, Outcome::Cleaned) << r.line;
    EXPECT_EQ(ReadFile(p), Expected(Dirty()));
    EXPECT_EQ(stdfs::last_write_time(FromUtf8(p)), kOldTime);
    EXPECT_EQ(t.Names(), std::set<std::string>{"p.jpg"});
    EXPECT_NE(r.line.find("保留方向信息（6）"), std::string::npos) << r.line;
#ifndef _WIN32
    struct stat st;
    stat(p.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
#endif
}

TEST_F(CleanFileTest, CleanPictureIsNotRewritten) {
    Bytes clean = Expected(Dirty());
    std::string p = Put("p.jpg", clean);
#ifndef _WIN32
    struct stat before, after;
    stat(p.c_str(), &before);
#endif
    FileResult r = CleanFile(p);
    EXPECT_EQ(r.outcome, Outcome::NothingToRemove) << r.line;
    EXPECT_EQ(ReadFile(p), clean);
    EXPECT_EQ(stdfs::last_write_time(FromUtf8(p)), kOldTime);
#ifndef _WIN32
    stat(p.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_ctim.tv_nsec, after.st_ctim.tv_nsec);
#endif
}

TEST_F(CleanFileTest, RefusedFilesStayByteForByte) {
    Bytes dirty = Dirty();
    Bytes cut(dirty.begin(), dirty.begin() + 40);
    struct Case {
        const char* name;
        Bytes data;
        bool read_only;
        const char* says;
    } cases[] = {
        {"a.png", B("\x89PNG\r\n\x1a\n data"), false, "不是 JPEG"},
        {"cut.jpg", cut, false, "超出文件末尾"},
        {"ro.jpg", dirty, true, "只读"},
    };
    for (const Case& c : cases) {
        std::string p = Put(c.name, c.data);
        if (c.read_only) {
            stdfs::permissions(
                FromUtf8(p),
                stdfs::perms::owner_write | stdfs::perms::group_write | stdfs::perms::others_write,
                stdfs::perm_options::remove);
        }
        FileResult r = CleanFile(p);
        EXPECT_EQ(r.outcome, Outcome::Failed) << c.name;
        EXPECT_NE(r.line.find(c.says), std::string::npos) << r.line;
        EXPECT_EQ(ReadFile(p), c.data) << c.name;
        EXPECT_EQ(stdfs::last_write_time(FromUtf8(p)), kOldTime) << c.name;
    }
    EXPECT_EQ(CleanFile(t.Path("missing.jpg")).outcome, Outcome::Failed);
    EXPECT_EQ(t.Names().size(), 3u);
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
    } steps[] = {{fs::Op::Open, 1},   {fs::Op::Read, 1},         {fs::Op::Read, 2},
                 {fs::Op::Create, 1}, {fs::Op::Write, 1},        {fs::Op::Write, 4},
                 {fs::Op::Write, 8},  {fs::Op::CopyMetadata, 1}, {fs::Op::Flush, 1},
                 {fs::Op::Close, 1},  {fs::Op::Replace, 1}};
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
    fs::SetFaultHook(nullptr);
    EXPECT_EQ(CleanFile(p).outcome, Outcome::Cleaned);
}

// Velmora moves P.tmp over P after the run: our temporary file must never
// be that name, and a P.tmp already there is not ours to touch.
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

TEST_F(CleanFileTest, TemporaryFileIsNeverPictureDotTmp) {
    std::string p = Put("p.jpg", Dirty());
    Put("p.jpg.tmp", B("GUI's"));
    g_folder = t.dir.string();
    g_seen.clear();
    fs::SetFaultHook(RecordNames);
    EXPECT_EQ(CleanFile(p).outcome, Outcome::Cleaned);
    ASSERT_EQ(g_seen.size(), 3u);
    for (const std::string& n : g_seen) {
        EXPECT_TRUE(n == "p.jpg" || n == "p.jpg.tmp" || n.find(".part") != std::string::npos) << n;
    }
    EXPECT_EQ(ReadFile(t.Path("p.jpg.tmp")), B("GUI's"));
}

#ifndef _WIN32
TEST_F(CleanFileTest, SymbolicLinkStaysALink) {
    std::string target = Put("real.jpg", Dirty());
    std::string link = t.Path("link.jpg");
    ASSERT_EQ(symlink("real.jpg", link.c_str()), 0);
    EXPECT_EQ(CleanFile(link).outcome, Outcome::Cleaned);
    EXPECT_TRUE(stdfs::is_symlink(link));
    EXPECT_EQ(ReadFile(target), Expected(Dirty()));
}
#endif

TEST_F(CleanFileTest, CommandLineStatusesAndEventFile) {
    std::string dirty = Put("dirty.jpg", Dirty());
    std::string clean = Put("clean.jpg", Expected(Dirty()));
    std::string broken = Put("broken.jpg", B("\xFF\xD8\xFF\xE1\x10\x00"));
    std::string events = t.Path("Event.txt");
#ifdef _WIN32
    _putenv_s("VELMORA_EVENT_FILE", events.c_str());
#else
    setenv("VELMORA_EVENT_FILE", events.c_str(), 1);
#endif
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
#ifdef _WIN32
    _putenv_s("VELMORA_EVENT_FILE", "");
#else
    unsetenv("VELMORA_EVENT_FILE");
#endif
    EXPECT_EQ(ReadFile(dirty), Expected(Dirty()));
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_EQ(lines, 6u) << text;
#ifndef _WIN32
    // On Windows the log is in the ANSI code page; the Windows test reads it.
    EXPECT_NE(text.find("dirty.jpg：JPEG"), std::string::npos) << text;
    EXPECT_NE(text.find("dirty.jpg：已清理"), std::string::npos) << text;
    EXPECT_NE(text.find("broken.jpg：未处理"), std::string::npos) << text;
#endif
}

}  // namespace
