#include "clean_file.h"

#include <cstdio>
#include <set>
#include <utility>

#include "isobmff/isobmff_cleaner.h"
#include "jpeg/cleaner.h"
#include "picture_kind.h"
#include "platform/file_system.h"
#include "png/png_cleaner.h"
#include "report.h"
#include "webp/webp_cleaner.h"

namespace jhead {

static const char kNotAPicture[] = "不是可清理的图片（支持 JPEG、PNG、WebP、HEIC/HEIF、AVIF）";

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

// Why a picture was not cleaned, as text for people and as a group for the
// program that runs the tool.
struct Why {
    std::string text;
    Reason group = Reason::Other;
};

static Why FsWhy(const fs::Error& e) {
    static const std::pair<fs::Err, Reason> kGroups[] = {
        {fs::Err::NotFound, Reason::Missing},    {fs::Err::NotFolder, Reason::Missing},
        {fs::Err::BadName, Reason::Missing},     {fs::Err::NameTooLong, Reason::Missing},
        {fs::Err::AccessDenied, Reason::Denied}, {fs::Err::ReadOnlyMedium, Reason::ReadOnly},
        {fs::Err::InUse, Reason::InUse},         {fs::Err::NotRegular, Reason::NotAFile},
        {fs::Err::DiskFull, Reason::DiskFull},
    };
    for (const auto& [kind, group] : kGroups) {
        if (e.kind == kind) return {FsErrorText(e), group};
    }
    return {FsErrorText(e), Reason::Other};
}

// kept: what the picture, read before the failure, holds and still holds.
static FileResult Failed(const std::string& path, const Why& why, const Findings& kept = {}) {
    return {Outcome::Failed, FailedLine(path, why.text, kept), why.group, kept.Has(Private::Gps),
            ""};
}

static Why WriteWhy(WriteError we, const FileInput& in, const FileOutput& out);

// A container read at any offset through the open file.
struct FileSource : Source {
    FileInput* in;
    bool read_failed = false;
    explicit FileSource(FileInput* i) : in(i) { size = i->size; }
    bool ReadAt(uint64_t offset, uint8_t* buf, size_t n) override {
        if (offset > size || n > size - offset) return false;
        if (!fs::Seek(in->f, offset, &in->err)) return !(read_failed = true);
        for (size_t done = 0, got = 0; done < n; done += got) {
            if (!fs::Read(in->f, buf + done, n - done, &got, &in->err))
                return !(read_failed = true);
            if (got == 0) return false;  // shorter than when it was opened
        }
        return true;
    }
    bool failed() const override { return read_failed; }
};

// One picture opened and read whole: what it holds and how to write it
// without its metadata, whatever its kind.
struct Analysis {
    PictureKind kind = PictureKind::Unknown;
    Plan jpeg;      // for JPEG
    EditPlan edit;  // for the container kinds
    Summary summary;
};

static Why RefusalWhy(const Refusal& r, const FileInput& in) {
    if (r.read_failed) return FsWhy(in.err);
    return {r.text, Reason::Damaged};
}

// The kind from the first bytes, then back to the start; false when reading failed.
static bool Sniff(FileInput* in, PictureKind* kind) {
    uint8_t head[kSniffBytes];
    size_t n = 0;
    for (size_t got = 1; n < sizeof head && got > 0; n += got) {
        if (!fs::Read(in->f, head + n, sizeof head - n, &got, &in->err)) return false;
    }
    *kind = SniffKind(head, n);
    return fs::Rewind(in->f, &in->err);
}

static Refusal PlanContainer(PictureKind kind, Source& src, EditPlan* plan) {
    switch (kind) {
        case PictureKind::Png:
            return PlanPng(src, plan);
        case PictureKind::Webp:
            return PlanWebp(src, plan);
        case PictureKind::IsoMedia:
            return PlanHeif(src, plan);
        default:
            return {false, "unreachable"};
    }
}

// Opens and reads the whole picture; on failure *why says why.
static bool Analyze(const std::string& target, bool to_change, FileInput* in, fs::Info* info,
                    Reader* r, Analysis* a, Why* why) {
    if (!fs::OpenRead(target, to_change, &in->f, info, &in->err)) {
        *why = FsWhy(in->err);
        return false;
    }
    in->size = info->size;
    if (!Sniff(in, &a->kind)) {
        *why = FsWhy(in->err);
        return false;
    }
    if (a->kind == PictureKind::Unknown) {
        *why = {info->size == 0 ? "文件是空的" : kNotAPicture, Reason::NotJpeg};
        return false;
    }
    if (a->kind != PictureKind::Jpeg) {
        FileSource src(in);
        const Refusal refusal = PlanContainer(a->kind, src, &a->edit);
        a->summary = a->edit.summary;
        if (!refusal.refused()) return true;
        *why = RefusalWhy(refusal, *in);
        return false;
    }
    ParseError pe = ParseHeaders(*r, info->size, &a->jpeg);
    if (pe == ParseError::None) pe = ScanToEnd(*r, info->size, &a->jpeg);
    a->summary = SummaryOf(a->jpeg);
    if (pe == ParseError::None) return true;
    if (pe == ParseError::ReadFailed) {
        *why = FsWhy(in->err);
    } else {
        *why = {ParseErrorText(pe), pe == ParseError::NotJpeg ? Reason::NotJpeg : Reason::Damaged};
    }
    return false;
}

// Writes the cleaned picture; on failure *why says why.
static bool WriteAnalysis(Analysis* a, Reader& r, FileInput& in, FileOutput& out, Why* why) {
    if (a->kind == PictureKind::Jpeg) {
        const WriteError we = WriteCleaned(r, &a->jpeg, &out);
        a->summary.size_after = a->jpeg.size_after;
        if (we != WriteError::None) *why = WriteWhy(we, in, out);
        return we == WriteError::None;
    }
    FileSource src(&in);
    const PlanWriteError we = WritePlan(src, &a->edit, &out);
    a->summary.size_after = a->edit.summary.size_after;
    if (we == PlanWriteError::WriteFailed) *why = FsWhy(out.err);
    if (we == PlanWriteError::ReadFailed) {
        *why = src.failed() ? FsWhy(in.err) : Why{"文件在处理过程中被其他程序改动", Reason::InUse};
    }
    return we == PlanWriteError::None;
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

static Why WriteWhy(WriteError we, const FileInput& in, const FileOutput& out) {
    if (we == WriteError::ReadFailed) return FsWhy(in.err);
    if (we == WriteError::Changed) return {"文件在处理过程中被其他程序改动", Reason::InUse};
    return FsWhy(out.err);
}

FileResult CleanFile(const std::string& path) {
    std::string target = fs::FinalPath(path);
    FileInput in;
    fs::Info info;
    Reader r(&in);
    Analysis a;
    Why why;
    if (!Analyze(target, true, &in, &info, &r, &a, &why)) return Failed(path, why, a.summary.found);
    const Findings& kept = a.summary.found;
    const bool gps = kept.Has(Private::Gps);
    const std::string opened = fs::OpenedPath(in.f);
    if (!a.summary.RemovesAnything()) {
        return {Outcome::NothingToRemove, NothingLine(path, info.size), Reason::None, gps, opened};
    }
    if (info.read_only) return Failed(path, {"文件为只读", Reason::ReadOnly}, kept);
    if (info.write_error == fs::Err::AccessDenied)
        return Failed(path, {"当前用户没有修改此文件的权限", Reason::Denied}, kept);
    if (info.write_error != fs::Err::None) return Failed(path, FsWhy({info.write_error, 0}), kept);

    std::string folder = fs::FolderOf(target);
    RemoveAbandoned(folder);
    std::string temp = FreeTempName(folder);
    fs::SetInterruptCleanup(temp);
    FileOutput out;
    if (!fs::CreateNew(temp, &out.f, &out.err)) {
        fs::SetInterruptCleanup("");
        return Failed(path, FsWhy(out.err), kept);
    }
    // Owner and times go on after the last write; the flush then makes
    // both durable.
    bool wrote = WriteAnalysis(&a, r, in, out, &why);
    if (wrote && !out.Drain()) {
        wrote = false;
        why = FsWhy(out.err);
    }
    bool ok = wrote && fs::CopyMetadata(in.f, out.f, &out.err) && fs::Flush(out.f, &out.err) &&
              fs::Close(&out.f, &out.err);
    // Windows cannot replace a file that is still open.
    fs::Close(&in.f, &in.err);
    ok = ok && fs::Replace(temp, target, &out.err);
    if (!ok) {
        if (wrote) why = FsWhy(out.err);
        fs::Error ignored;
        fs::Close(&out.f, &ignored);
        fs::Remove(temp);
        fs::SetInterruptCleanup("");
        return Failed(path, why, kept);
    }
    fs::SetInterruptCleanup("");
    return {Outcome::Cleaned, CleanedLine(path, a.summary, info.size, info.links), Reason::None,
            gps, opened};
}

FileResult DescribeFile(const std::string& path) {
    FileInput in;
    fs::Info info;
    Reader r(&in);
    Analysis a;
    Why why;
    if (!Analyze(path, false, &in, &info, &r, &a, &why)) return Failed(path, why, a.summary.found);
    Outcome o = a.summary.RemovesAnything() ? Outcome::Cleaned : Outcome::NothingToRemove;
    return {o, InfoLine(path, a.summary, info.size), Reason::None,
            a.summary.found.Has(Private::Gps), fs::OpenedPath(in.f)};
}

}  // namespace jhead
