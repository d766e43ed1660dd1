#include "clean_file.h"

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

struct FileOutput : Output {
    fs::File f;
    fs::Error err;
    bool Write(const uint8_t* p, size_t n) override { return fs::Write(f, p, n, &err); }
};

static FileResult Failed(const std::string& path, const std::string& reason) {
    return {Outcome::Failed, FailedLine(path, reason)};
}

// Opens and parses through the first scan; on failure *reason says why.
static bool Analyze(const std::string& target, FileInput* in, fs::Info* info, Reader* r, Plan* plan,
                    std::string* reason) {
    if (!fs::OpenRead(target, &in->f, info, &in->err)) {
        *reason = FsErrorText(in->err);
        return false;
    }
    in->size = info->size;
    ParseError pe = ParseHeaders(*r, info->size, plan);
    if (pe == ParseError::ReadFailed) {
        *reason = FsErrorText(in->err);
        return false;
    }
    if (pe != ParseError::None) {
        *reason = ParseErrorText(pe);
        return false;
    }
    return true;
}

// A name beside the picture that nothing else uses. Never P + ".tmp": that
// name belongs to Velmora's removal run, which moves it over the picture.
static std::string TempName(const std::string& target) {
    std::string base = target + ".jhead-" + std::to_string(fs::ProcessId()) + "-";
    std::string name;
    // Bounded: when every name seems taken, CreateNew reports the failure.
    for (int n = 0; n < 1000; n++) {
        name = base + std::to_string(n) + ".part";
        if (!fs::Exists(name)) break;
    }
    return name;
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
    if (!Analyze(target, &in, &info, &r, &plan, &reason)) return Failed(path, reason);
    if (!plan.HeaderChanges() && !ScanToEnd(r, info.size, &plan)) {
        return Failed(path, FsErrorText(in.err));
    }
    if (!plan.RemovesAnything()) return {Outcome::NothingToRemove, NothingLine(path, info.size)};
    if (info.read_only) return Failed(path, "文件为只读");

    std::string temp = TempName(target);
    FileOutput out;
    if (!fs::CreateNew(temp, &out.f, &out.err)) return Failed(path, FsErrorText(out.err));
    // Time stamps go on after the last write; the flush then makes both durable.
    WriteError we = WriteCleaned(r, info.size, &plan, &out);
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
        return Failed(path, why);
    }
    return {Outcome::Cleaned, CleanedLine(path, plan, info.size)};
}

FileResult DescribeFile(const std::string& path) {
    FileInput in;
    fs::Info info;
    Reader r(&in);
    Plan plan;
    std::string reason;
    if (!Analyze(path, &in, &info, &r, &plan, &reason)) return Failed(path, reason);
    if (!ScanToEnd(r, info.size, &plan)) return Failed(path, FsErrorText(in.err));
    Outcome o = plan.RemovesAnything() ? Outcome::Cleaned : Outcome::NothingToRemove;
    return {o, InfoLine(path, plan, info.size)};
}

}  // namespace jhead
