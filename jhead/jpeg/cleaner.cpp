#include "jpeg/cleaner.h"

#include <algorithm>
#include <cstring>

#include "jpeg/jpeg_markers.h"
#include "jpeg/segment_privacy.h"

namespace jhead {

Summary SummaryOf(const Plan& plan) {
    Summary s;
    s.found = plan.found;
    for (int k = 0; k < kKindCount; k++) s.AddRemoved(KindName((Kind)k), plan.removed[k]);
    s.orientation = plan.orientation.value >= 2 ? plan.orientation.value : 0;
    s.truncated = plan.truncated;
    s.size_after = plan.size_after;
    return s;
}

bool Plan::RemovesAnything() const {
    for (uint64_t n : removed) {
        if (n > 0) return true;
    }
    return false;
}

static ParseError ReadError(Reader& r, ParseError at_end) {
    return r.failed() ? ParseError::ReadFailed : at_end;
}

// Finds the next marker the way a decoder does: bytes before an 0xFF, and
// stuffed 0xFF00 pairs, are skipped as stray. *at gets the offset of the
// marker's first 0xFF (fill bytes belong to the marker).
static bool NextMarker(Reader& r, uint64_t* at, uint8_t* m) {
    for (;;) {
        uint8_t b;
        if (!r.ReadByte(&b)) return false;
        if (b != 0xFF) continue;
        *at = r.position() - 1;
        // Fill bytes are allowed, but not so many that a segment's size
        // would not fit its field.
        for (int fill = 0;; fill++) {
            if (!r.ReadByte(m)) return false;
            if (*m != 0xFF) break;
            if (fill > 65535) *at = r.position() - 1;
        }
        if (*m != 0x00) return true;
    }
}

// The JFIF header without its thumbnail: the fixed fields, thumbnail 0 x 0.
static std::vector<uint8_t> JfifWithoutThumbnail(const uint8_t* payload) {
    std::vector<uint8_t> s = {0xFF, marker::kApp0, 0, 16};
    s.insert(s.end(), payload, payload + 12);
    s.insert(s.end(), {0, 0});
    return s;
}

// Decides the fate of a complete segment whose payload has been read.
static void Classify(Segment* seg, const uint8_t* payload, uint32_t n, Plan* plan, bool* saw_exif,
                     SplitBlocks* split) {
    seg->kind = ClassifySegment(seg->marker, payload, n);
    seg->keep = IsKept(seg->kind);
    if (marker::IsMetadata(seg->marker))
        FindPrivate(seg->marker, seg->kind, payload, n, &plan->found, split);
    if (seg->kind == Kind::Jfif && n > 14) {
        seg->replacement = JfifWithoutThumbnail(payload);
        plan->removed[(int)Kind::JfifThumbnail] += seg->size - seg->replacement.size();
    }
    if (seg->kind != Kind::Exif) return;
    Orientation o = ReadOrientation(payload, n);
    if (plan->orientation.value == 0) plan->orientation = o;
    // The first block carries the orientation forward; a block that already
    // is the minimal one stays, so that a second run finds nothing to do.
    if (*saw_exif) return;
    *saw_exif = true;
    if (o.value >= 2 && seg->size == 36) {
        std::vector<uint8_t> minimal = MinimalExifSegment(o);
        seg->keep = memcmp(minimal.data() + 4, payload, n) == 0;
    }
}

static ParseError ParseSegments(Reader& r, uint64_t file_size, Plan* plan, SplitBlocks* split) {
    uint8_t soi[2];
    if (!r.ReadExact(soi, 2)) return ReadError(r, ParseError::NotJpeg);
    if (soi[0] != 0xFF || soi[1] != marker::kSoi) return ParseError::NotJpeg;
    plan->segments.push_back({0, 2, marker::kSoi, Kind::Picture, true, {}});

    std::vector<uint8_t> payload;
    bool saw_frame = false;
    bool saw_exif = false;
    for (;;) {
        if (plan->segments.size() >= kMaxSegments) return ParseError::TooManySegments;
        uint64_t start = r.position();
        uint64_t at;
        uint8_t m;
        if (!NextMarker(r, &at, &m)) return ReadError(r, ParseError::NoScan);
        if (at > start) {
            // Padding, or the end of a segment whose length fell short.
            // Decoders skip it too; it goes.
            plan->segments.push_back({start, at - start, 0, Kind::Stray, false, {}});
            plan->removed[(int)Kind::Stray] += at - start;
        }
        if (m == marker::kSoi) return ParseError::UnexpectedMarker;
        if (m == marker::kEoi) return ParseError::NoPicture;
        Segment seg{at, 0, m, Kind::Picture, true, {}};
        if (marker::HasNoLength(m)) {
            seg.size = r.position() - at;
            plan->segments.push_back(seg);
            continue;
        }
        uint8_t len[2];
        if (!r.ReadExact(len, 2)) return ReadError(r, ParseError::SegmentPastEnd);
        uint32_t length = (uint32_t)len[0] << 8 | len[1];
        uint32_t n = length < 2 ? 0 : length - 2;
        // A decoder reads a metadata segment with a length below 2 as
        // empty; a table or frame header that short cannot be read at all.
        if (length < 2 && !marker::IsMetadata(m)) return ParseError::BadLength;
        if (r.position() + n > file_size) return ParseError::SegmentPastEnd;
        if (payload.size() < n) payload.resize(n);
        if (!r.ReadExact(payload.data(), n)) return ReadError(r, ParseError::SegmentPastEnd);
        seg.size = r.position() - at;
        Classify(&seg, payload.data(), n, plan, &saw_exif, split);
        if (!seg.keep) plan->removed[(int)seg.kind] += seg.size;
        plan->segments.push_back(std::move(seg));
        if (marker::IsFrame(m)) saw_frame = true;
        if (m == marker::kSos) {
            if (!saw_frame) return ParseError::NoFrame;
            plan->scan_start = r.position();
            break;
        }
    }
    // The orientation survives as a minimal Exif block in place of the first.
    if (plan->orientation.value >= 2) {
        for (Segment& s : plan->segments) {
            if (s.kind != Kind::Exif) continue;
            if (!s.keep) s.replacement = MinimalExifSegment(plan->orientation);
            break;
        }
    }
    return ParseError::None;
}

ParseError ParseHeaders(Reader& r, uint64_t file_size, Plan* plan) {
    *plan = Plan();
    SplitBlocks split;
    const ParseError e = ParseSegments(r, file_size, plan, &split);
    // Read also when the headers break off: a refused picture is still
    // reported with what it holds.
    split.Scan(&plan->found);
    return e;
}

ParseError ScanToEnd(Reader& r, uint64_t file_size, Plan* plan) {
    EoiFinder finder(r.position());
    const uint8_t* p;
    size_t n;
    uint64_t end = r.position();
    while (!finder.found() && r.NextChunk(SIZE_MAX, &p, &n)) end += finder.Feed(p, n);
    if (r.failed()) return ParseError::ReadFailed;
    if (finder.too_many()) return ParseError::TooManySegments;
    plan->truncated = !finder.found();
    plan->picture_end = end;
    plan->cuts = finder.cuts();
    for (const Cut& c : plan->cuts) plan->removed[(int)c.kind] += c.size;
    // A file that grew since it was measured has no trailer to speak of.
    plan->removed[(int)Kind::Trailer] = file_size > end ? file_size - end : 0;
    return ParseError::None;
}

// Moves the reader on by n bytes, writing them to out when given.
static WriteError Copy(Reader& r, uint64_t n, Output* out) {
    while (n > 0) {
        const uint8_t* p;
        size_t got;
        if (!r.NextChunk((size_t)std::min<uint64_t>(n, SIZE_MAX), &p, &got)) {
            return r.failed() ? WriteError::ReadFailed : WriteError::Changed;
        }
        if (out && !out->Write(p, got)) return WriteError::WriteFailed;
        n -= got;
    }
    return WriteError::None;
}

// Output that counts what passes through it.
struct CountingOutput : Output {
    Output* out;
    uint64_t count = 0;
    explicit CountingOutput(Output* o) : out(o) {}
    bool Write(const uint8_t* p, size_t n) override {
        count += n;
        return out->Write(p, n);
    }
};

WriteError WriteCleaned(Reader& r, Plan* plan, Output* out) {
    if (!r.Rewind()) return WriteError::ReadFailed;
    CountingOutput counted(out);
    WriteError e = WriteError::None;
    for (const Segment& s : plan->segments) {
        if (e == WriteError::None && !s.replacement.empty()) {
            e = counted.Write(s.replacement.data(), s.replacement.size()) ? WriteError::None
                                                                          : WriteError::WriteFailed;
        }
        if (e == WriteError::None) {
            e = Copy(r, s.size, s.keep && s.replacement.empty() ? &counted : nullptr);
        }
    }
    // The picture data, less the metadata between its scans.
    for (const Cut& c : plan->cuts) {
        if (e == WriteError::None) e = Copy(r, c.offset - r.position(), &counted);
        if (e == WriteError::None) e = Copy(r, c.size, nullptr);
    }
    if (e == WriteError::None) e = Copy(r, plan->picture_end - r.position(), &counted);
    plan->size_after = counted.count;
    return e;
}

ParseError CleanInMemory(const uint8_t* data, size_t n, Plan* plan, Output* out, bool* wrote) {
    *wrote = false;
    MemoryInput in(data, n);
    Reader r(&in);
    ParseError e = ParseHeaders(r, n, plan);
    if (e == ParseError::None) e = ScanToEnd(r, n, plan);
    if (e != ParseError::None || !plan->RemovesAnything()) return e;
    WriteCleaned(r, plan, out);
    *wrote = true;
    return ParseError::None;
}

}  // namespace jhead
