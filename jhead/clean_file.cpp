#include "clean_file.h"

#include <cstdio>
#include <set>

#include "cleaner.h"
#include "file_system.h"
#include "report.h"

namespace jhead {

struct FileInput : Input {
    fs::File f;
    fs::Error err;
    bool Read(uint8_t* buf, size_t n, size_t* got) override {
        return fs::Read(f, buf, n, got, &err);
    }
    bool Rewind() override { return fs::Rewind(f, &err); }
    ~FileInput() override { fs::Close(&f, &err); }
};

// Small writes (the kept segments) gather in one buffer; large chunks of
// picture data go straight through.
struct FileOutput : Output {
    static constexpr size_t kBuffer = 1 << 20;
    fs::File f;
    fs::Error err;
    std::vector<uint8_t> buf;
    bool Write(const uint8_t* p, size_t n) override {
        if (buf.size() + n > kBuffer && !Drain()) return false;
        if (n >= kBuffer) return fs::Write(f, p, n, &err);
        buf.insert(buf.end(), p, p + n);
        return true;
    }
    bool Drain() {
        bool ok = buf.empty() || fs::Write(f, buf.data(), buf.size(), &err);
        buf.clear();
        return ok;
    }
};

// gps: the picture, read before the failure, held a position.
static FileResult Failed(const std::string& path, const std::string& reason, bool gps = false) {
    return {Outcome::Failed, FailedLine(path, reason), gps};
}

// Opens and parses the whole picture; on failure *reason says why.
static bool Analyze(const std::string& target, bool to_change, FileInput* in, fs::Info* info,
                    Reader* r, Plan* plan, std::string* reason) {
    if (!fs::OpenRead(target, to_change, &in->f, info, &in->err)) {
        *reason = FsErrorText(in->err);
        return false;
    }
    in->size = info->size;
    ParseError pe = ParseHeaders(*r, info->size, plan);
    if (pe == ParseError::None) pe = ScanToEnd(*r, info->size, plan);
    if (pe == ParseError::None) return true;
    *reason = pe == ParseError::ReadFailed ? FsErrorText(in->err) : ParseErrorText(pe);
    return false;
}

// Temporary files are ".jhead-PPPPPPPP-NN.part" beside the picture: a fixed
// length whatever the picture's name, so that a name near the limit still
// works, and the process id, so that a later run can tell an abandoned one.
// Never P + ".tmp": that name belongs to Velmora's removal run, which moves
// it over the picture.
static const char kTempPrefix[] = ".jhead-";
constexpr size_t kTempNameSize = sizeof kTempPrefix - 1 + 8 + 1 + 2 + 5;

static std::string TempName(const std::string& folder, unsigned pid, unsigned n) {
    char name[kTempNameSize + 1];
    snprintf(name, sizeof name, "%s%08x-%02x.part", kTempPrefix, pid, n & 0xFF);
    return folder + name;
}

static std::string FreeTempName(const std::string& folder) {
    std::string name;
    // Bounded: when every name seems taken, CreateNew reports the failure.
    for (unsigned n = 0; n < 256; n++) {
        name = TempName(folder, fs::ProcessId(), n);
        if (!fs::Exists(name)) break;
    }
    return name;
}

// Temporary files whose process is gone were left by a run that was killed
// (a power cut, SIGKILL): remove them, once per folder and run.
static void RemoveAbandoned(const std::string& folder) {
    static std::set<std::string> done;
    if (!done.insert(folder).second) return;
    for (const std::string& name : fs::NamesStartingWith(folder, kTempPrefix)) {
        unsigned pid, n;
        if (sscanf(name.c_str() + sizeof kTempPrefix - 1, "%8x-%2x", &pid, &n) != 2 ||
            name != TempName("", pid, n) || fs::ProcessAlive(pid)) {
            continue;
        }
        fs::Remove(folder + name);
    }
}

static std::string WriteErrorText(WriteError we, const FileInput& in, const FileOutput& out) {
    if (we == WriteError::ReadFailed) return FsErrorText(in.err);
    if (we == WriteError::Changed) return "文件在处理过程中被其他程序改动";
    return FsErrorText(out.err);
}

FileResult CleanFile(const std::string& path) {
    std::string target = fs::FinalPath(path);
    FileInput in;
    fs::Info info;
    Reader r(&in);
    Plan plan;
    std::string reason;
    if (!Analyze(target, true, &in, &info, &r, &plan, &reason)) return Failed(path, reason);
    const bool gps = plan.found.Has(Private::Gps);
    if (!plan.RemovesAnything()) {
        return {Outcome::NothingToRemove, NothingLine(path, info.size), gps};
    }
    if (info.read_only) return Failed(path, "文件为只读", gps);
    if (info.write_error == fs::Err::AccessDenied)
        return Failed(path, "当前用户没有修改此文件的权限", gps);
    if (info.write_error != fs::Err::None) {
        return Failed(path, FsErrorText({info.write_error, 0, fs::Op::Open}), gps);
    }

    std::string folder = fs::FolderOf(target);
    RemoveAbandoned(folder);
    std::string temp = FreeTempName(folder);
    fs::SetInterruptCleanup(temp);
    FileOutput out;
    if (!fs::CreateNew(temp, &out.f, &out.err)) {
        fs::SetInterruptCleanup("");
        return Failed(path, FsErrorText(out.err), gps);
    }
    // Owner and times go on after the last write; the flush then makes
    // both durable.
    WriteError we = WriteCleaned(r, &plan, &out);
    if (we == WriteError::None && !out.Drain()) we = WriteError::WriteFailed;
    bool ok = we == WriteError::None && fs::CopyMetadata(in.f, out.f, &out.err) &&
              fs::Flush(out.f, &out.err) && fs::Close(&out.f, &out.err);
    // Windows cannot replace a file that is still open.
    fs::Close(&in.f, &in.err);
    ok = ok && fs::Replace(temp, target, &out.err);
    if (!ok) {
        std::string why =
            we != WriteError::None ? WriteErrorText(we, in, out) : FsErrorText(out.err);
        fs::Error ignored;
        fs::Close(&out.f, &ignored);
        fs::Remove(temp);
        fs::SetInterruptCleanup("");
        return Failed(path, why, gps);
    }
    fs::SetInterruptCleanup("");
    return {Outcome::Cleaned, CleanedLine(path, plan, info.size, info.links), gps};
}

FileResult DescribeFile(const std::string& path) {
    FileInput in;
    fs::Info info;
    Reader r(&in);
    Plan plan;
    std::string reason;
    if (!Analyze(path, false, &in, &info, &r, &plan, &reason)) return Failed(path, reason);
    Outcome o = plan.RemovesAnything() ? Outcome::Cleaned : Outcome::NothingToRemove;
    return {o, InfoLine(path, plan, info.size), plan.found.Has(Private::Gps)};
}

}  // namespace jhead
