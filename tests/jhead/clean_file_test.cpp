// Cleaning files on disk through the file layer, natively and under Wine:
// the original is untouched or fully replaced, whatever fails, keeps its
// times and permissions, and every refusal says why in words.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <tuple>

#include "clean_file.h"
#include "jpeg/cleaner.h"
#include "platform/file_system.h"
#include "jpeg_samples.h"
#include "tool.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace jhead;
using namespace jhead_test;
namespace stdfs = std::filesystem;

namespace {

const Bytes kDirty =
    Cat({{0xFF, 0xD8}, AllMetadata(6, false), FakeTables(), FakeScans(), B("trailer")});
const Bytes kCleaned =
    Cat({{0xFF, 0xD8}, MinimalExifSegment({6, false}), FakeTables(), FakeScans()});

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

TEST_F(CleanFileTest, ReplacesPictureKeepingTimesPermissionsAndName) {
    std::vector<std::string> names = {"照片 ✓ 一.jpg", std::string(196, 'n') + ".jpg"};
#ifndef _WIN32
    names.insert(names.end(), {std::string(246, 'n') + ".jpg", "two\nlines.jpg"});
#endif
    for (const std::string& name : names) {
        std::string p = Put(name, kDirty);
        // Unusual permissions, so that a new file's defaults do not match them.
        stdfs::permissions(FromUtf8(p), stdfs::perms::owner_all | stdfs::perms::group_write);
        auto perms = stdfs::status(FromUtf8(p)).permissions();
        FileResult r = CleanFile(p);
        EXPECT_EQ(r.outcome, Outcome::Cleaned) << r.line;
        EXPECT_EQ(ReadFile(p), kCleaned);
        EXPECT_EQ(stdfs::last_write_time(FromUtf8(p)), kOldTime);
        EXPECT_EQ(stdfs::status(FromUtf8(p)).permissions(), perms);
        EXPECT_NE(r.line.find("保留方向信息（6）"), std::string::npos) << r.line;
        EXPECT_EQ(r.line.find('\n'), std::string::npos) << r.line;
        EXPECT_EQ(CleanFile(p).outcome, Outcome::NothingToRemove);
        stdfs::remove(FromUtf8(p));
    }
}

// The position found is told to the caller, before and as it is removed;
// the lines name it but never hold it.
TEST_F(CleanFileTest, GpsPositionToldWithoutItsValue) {
    using namespace std::string_literals;
    Bytes rational = {77, 0, 0, 0, 1, 0, 0, 0};
    Bytes position = Seg(0xE1, Cat({B("Exif\0\0"s), Tiff({}, {}, {{2, 5, rational}})}));
    std::string p = Put("gps.jpg", Cat({{0xFF, 0xD8}, position, FakeTables(), FakeScans()}));
    FileResult before = DescribeFile(p), cleaned = CleanFile(p);
    EXPECT_TRUE(before.gps && cleaned.gps) << cleaned.line;
    EXPECT_NE(cleaned.line.find("移除 GPS位置（"), std::string::npos) << cleaned.line;
    EXPECT_EQ(cleaned.line.find("77", p.size()), std::string::npos) << cleaned.line;
    // Refused, damaged after the position: the position is still there.
    FileResult r = CleanFile(Put("cut.jpg", Cat({{0xFF, 0xD8}, position, {0xFF, 0xDB, 0, 9}})));
    EXPECT_TRUE(r.outcome == Outcome::Failed && r.gps) << r.line;
    EXPECT_NE(r.line.find("文件未改动；仍含GPS位置"), std::string::npos) << r.line;
}

TEST_F(CleanFileTest, RefusedFilesStayByteForByteAndSayWhy) {
    // Name, content (none: not a file made here), what the report says, and
    // the group the program is told.
    std::tuple<std::string, Bytes, const char*, Reason> cases[] = {
        {"a.jpg", B("GIF89a data"), "不是可清理的图片", Reason::NotJpeg},
        {"zero.jpg", {}, "文件是空的", Reason::NotJpeg},
        {"cut.jpg", Bytes(kDirty.begin(), kDirty.begin() + 40), "超出文件末尾", Reason::Damaged},
        {"empty.jpg", {0xFF, 0xD8, 0xFF, 0xD9}, "没有图像数据", Reason::Damaged},
        {"ro.jpg", kDirty, "只读，文件未改动；仍含拍摄设备", Reason::ReadOnly},
        {"missing.jpg", {}, "找不到", Reason::Missing},
        {"folder", {}, "不是普通文件", Reason::NotAFile},
        {std::string(300, 'x') + ".jpg", {}, "太长", Reason::Missing},
#ifdef _WIN32
        {"con.jpg", {}, "不是普通文件", Reason::NotAFile},  // a device, whatever its extension
#else
        {"fifo.jpg", {}, "不是普通文件", Reason::NotAFile},
        {"loop.jpg", {}, "循环", Reason::Other},
#endif
    };
    stdfs::create_directory(t.dir / "folder");
    Put("zero.jpg", {});
#ifndef _WIN32
    mkfifo(t.Path("fifo.jpg").c_str(), 0644);
    stdfs::create_symlink("loop.jpg", t.dir / "loop.jpg");
#endif
    for (const auto& [name, data, says, group] : cases) {
        std::string p = data.empty() ? t.Path(name) : Put(name, data);
        if (name == "ro.jpg") {
            stdfs::permissions(FromUtf8(p), stdfs::perms::owner_read, stdfs::perm_options::replace);
        }
        FileResult r = CleanFile(p);
        EXPECT_EQ(r.outcome, Outcome::Failed) << name;
        EXPECT_NE(r.line.find(says), std::string::npos) << r.line;
        EXPECT_EQ(r.reason, group) << name;
        if (data.empty()) continue;
        EXPECT_EQ(ReadFile(p), data) << name;
        // Writable again, so that the folder can be removed on Windows too.
        stdfs::permissions(FromUtf8(p), stdfs::perms::owner_write, stdfs::perm_options::add);
    }
}

fs::Op g_fail_op;
fs::Err g_fail_as;

TEST_F(CleanFileTest, FailureAtAnyStepLeavesOriginalAndNoTemporaryFile) {
    std::string p = Put("p.jpg", kDirty);
    fs::SetFaultHook([](fs::Op op) { return op == g_fail_op ? g_fail_as : fs::Err::None; });
    g_fail_as = fs::Err::DiskFull;
    // Every step from the opening of the picture to the replacement.
    for (int op = (int)fs::Op::Open; op <= (int)fs::Op::Replace; op++) {
        g_fail_op = (fs::Op)op;
        FileResult r = CleanFile(p);
        EXPECT_NE(r.line.find("磁盘空间不足"), std::string::npos) << r.line;
        EXPECT_EQ(ReadFile(p), kDirty) << op;
        EXPECT_EQ(t.Names(), std::set<std::string>{"p.jpg"}) << op;
    }
    // What the program is told, by the system's error.
    const std::tuple<fs::Err, Reason, const char*> kWhy[] = {
        {fs::Err::InUse, Reason::InUse, "正被其他程序使用"},
        {fs::Err::AccessDenied, Reason::Denied, "拒绝访问"},
        {fs::Err::ReadOnlyMedium, Reason::ReadOnly, "只读"},
        {fs::Err::NameTooLong, Reason::Missing, "太长"},
        {fs::Err::IoError, Reason::Other, "读写出错"}};
    g_fail_op = fs::Op::Open;
    for (const auto& [err, group, says] : kWhy) {
        g_fail_as = err;
        FileResult r = CleanFile(p);
        EXPECT_EQ(r.reason, group) << r.line;
        EXPECT_NE(r.line.find(says), std::string::npos) << r.line;
    }
}

// The other names beside the picture. Temporary files are ours only
// (".jhead-PID-NN.part", never P.tmp: Velmora moves that one over the
// picture), and those of processes that are gone are removed. A hard link
// still names the original, as the line says; a symbolic link stays one.
TEST_F(CleanFileTest, OtherNamesBesideThePictureKeepTheirMeaning) {
    char live[32];
    snprintf(live, sizeof live, ".jhead-%08x-00.part", fs::ProcessId());
    std::set<std::string> others = {"p.jpg.tmp", live, ".jhead-7ffffff0-0.part"};
    for (const std::string& n : others) Put(n, B("other"));
    Put(".jhead-7ffffff0-00.part", B("abandoned"));
    std::string p = Put("p.jpg", kDirty);
    stdfs::create_hard_link(FromUtf8(p), t.dir / "other name.jpg");
    FileResult r = CleanFile(p);
    EXPECT_NE(r.line.find("另有 1 个硬链接"), std::string::npos) << r.line;
    EXPECT_EQ(ReadFile(t.Path("other name.jpg")), kDirty);
    others.insert({"p.jpg", "other name.jpg"});
    EXPECT_EQ(t.Names(), others);
#ifndef _WIN32
    stdfs::create_symlink("other name.jpg", t.dir / "link.jpg");
    // Cleaned, and the outcome names the file opened, not the name given.
    EXPECT_EQ(CleanFile(t.Path("link.jpg")).opened,
              stdfs::canonical(t.dir / "other name.jpg").string());
    EXPECT_TRUE(stdfs::is_symlink(t.dir / "link.jpg"));
    EXPECT_EQ(ReadFile(t.Path("other name.jpg")), kCleaned);
#endif
}

#ifdef _WIN32
void SetEnv(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
#else
void SetEnv(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }
#endif

TEST_F(CleanFileTest, CommandLineStatusesAndEventFile) {
    std::string dirty = Put("dirty.jpg", kDirty);
    std::string clean = Put("clean.jpg", kCleaned);
    std::string broken = Put("broken.jpg", B("\xFF\xD8\xFF\xE1\x10\x00"));
    SetEnv("VELMORA_EVENT_FILE", t.Path("Event.txt"));
    SetEnv(velmora::kOutcomeFileVariable, t.Path("outcomes"));
    // Usage errors touch nothing, not even the files named with them.
    EXPECT_EQ(RunTool({"-de", "--bogus", dirty}), 2);
    EXPECT_EQ(RunTool({dirty, clean}), 0);  // report only
    EXPECT_EQ(ReadFile(dirty), kDirty);
    EXPECT_EQ(RunTool({"-de", dirty, clean, broken}), 1);
    EXPECT_EQ(RunTool({"-de", "--", clean}), 0);
    EXPECT_EQ(ReadFile(dirty), kCleaned);
    // A results file that cannot be written fails the run, though the picture is fine.
    SetEnv("VELMORA_EVENT_FILE", t.Path("missing/Event.txt"));
    EXPECT_EQ(RunTool({"-de", clean}), 1);
    SetEnv("VELMORA_EVENT_FILE", "");
    SetEnv(velmora::kOutcomeFileVariable, "");
    EXPECT_EQ(RunTool({"-de", clean}), 0);  // empty variables name no file
    // One line per picture; what the lines say is jhead_win_test's.
    Bytes log = ReadFile(t.Path("Event.txt"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6) << std::string(log.begin(), log.end());
    // One outcome record per picture, with the report mode's too, and
    // whether its line reached the results file.
    Bytes out = ReadFile(t.Path("outcomes"));
    std::vector<velmora::OutcomeRecord> records =
        velmora::ParseOutcomeRecords(std::string(out.begin(), out.end()));
    std::tuple<Outcome, Reason, bool, std::string> expected[] = {
        {Outcome::Cleaned, Reason::None, true, dirty},  // report mode: would be cleaned
        {Outcome::NothingToRemove, Reason::None, true, clean},
        {Outcome::Cleaned, Reason::None, true, dirty},
        {Outcome::NothingToRemove, Reason::None, true, clean},
        {Outcome::Failed, Reason::Damaged, true, broken},
        {Outcome::NothingToRemove, Reason::None, true, clean},
        {Outcome::NothingToRemove, Reason::None, false, clean},
    };
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const velmora::OutcomeRecord& r = records[i];
        EXPECT_EQ(std::tie(r.outcome, r.reason, r.reported, r.path), expected[i]) << i;
        EXPECT_EQ(r.opened.empty(), r.outcome == Outcome::Failed) << i;
    }
}

}  // namespace
