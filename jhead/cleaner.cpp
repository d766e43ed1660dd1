#include "cleaner.h"

#include <cstring>

#include "eoi_finder.h"

namespace jhead {

static bool IsFrameMarker(uint8_t m) {
    // SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

bool Plan::WritesMinimalExif() const {
    return exif_index >= 0 && !segments[exif_index].keep && orientation.value >= 2;
}

bool Plan::HeaderChanges() const {
    for (const Segment& s : segments) {
        if (!s.keep) return true;
    }
    return false;
}

bool Plan::RemovesAnything() const { return HeaderChanges() || removed[(int)Kind::Trailer] > 0; }

static ParseError ReadError(Reader& r, ParseError at_end) {
    return r.failed() ? ParseError::ReadFailed : at_end;
}

ParseError ParseHeaders(Reader& r, uint64_t file_size, Plan* plan) {
    *plan = Plan();
    uint8_t soi[2];
    if (!r.ReadExact(soi, 2)) return ReadError(r, ParseError::NotJpeg);
    if (soi[0] != 0xFF || soi[1] != 0xD8) return ParseError::NotJpeg;
    plan->segments.push_back({0, 2, 0xD8, Kind::Picture, true});

    std::vector<uint8_t> payload;
    bool saw_frame = false;
    for (;;) {
        if (plan->segments.size() >= kMaxSegments) return ParseError::TooManySegments;
        uint64_t start = r.position();
        uint8_t b;
        if (!r.ReadByte(&b)) return ReadError(r, ParseError::NoScan);
        if (b != 0xFF) return ParseError::Garbage;
        uint8_t m;
        // Fill bytes are allowed, but not so many that a segment's size
        // would not fit its field.
        for (int fill = 0;; fill++) {
            if (!r.ReadByte(&m)) return ReadError(r, ParseError::NoScan);
            if (m != 0xFF) break;
            if (fill > 65535) return ParseError::Garbage;
        }
        if (m == 0x00) return ParseError::Garbage;
        if (m == 0xD8) return ParseError::UnexpectedMarker;
        if (m == 0xD9) return ParseError::NoScan;
        Segment seg{start, 0, m, Kind::Picture, true};
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {
            seg.size = (uint32_t)(r.position() - start);
            plan->segments.push_back(seg);
            continue;
        }
        uint8_t len[2];
        if (!r.ReadExact(len, 2)) return ReadError(r, ParseError::SegmentPastEnd);
        uint32_t length = (uint32_t)len[0] << 8 | len[1];
        if (length < 2) return ParseError::BadLength;
        uint32_t n = length - 2;
        if (r.position() + n > file_size) return ParseError::SegmentPastEnd;
        if (payload.size() < n) payload.resize(n);
        if (!r.ReadExact(payload.data(), n)) return ReadError(r, ParseError::SegmentPastEnd);
        seg.size = (uint32_t)(r.position() - start);
        seg.kind = ClassifySegment(m, payload.data(), n);
        seg.keep = IsKept(seg.kind);
        if (seg.kind == Kind::Exif && plan->exif_index < 0) {
            plan->exif_index = (int)plan->segments.size();
            plan->orientation = ReadOrientation(payload.data(), n);
            // A block that already is the minimal one stays, so that a
            // second run finds nothing to do.
            if (plan->orientation.value >= 2 && seg.size == 36) {
                std::vector<uint8_t> minimal = MinimalExifSegment(plan->orientation);
                seg.keep = memcmp(minimal.data() + 4, payload.data(), n) == 0;
            }
        }
        if (!seg.keep) plan->removed[(int)seg.kind] += seg.size;
        plan->segments.push_back(seg);
        if (IsFrameMarker(m)) saw_frame = true;
        if (m == 0xDA) {
            if (!saw_frame) return ParseError::NoFrame;
            plan->scan_start = r.position();
            return ParseError::None;
        }
    }
}

// Reads the picture data from the current position through its EOI (or to
// the end of the file when there is none), writing it to out when given.
static WriteError StreamPicture(Reader& r, uint64_t file_size, Plan* plan, Output* out) {
    EoiFinder finder;
    uint64_t end = r.position();
    const uint8_t* p;
    size_t n;
    while (!finder.found() && r.NextChunk(SIZE_MAX, &p, &n)) {
        size_t keep = finder.Feed(p, n);
        if (out && !out->Write(p, keep)) return WriteError::WriteFailed;
        end += keep;
    }
    if (r.failed()) return WriteError::ReadFailed;
    plan->truncated = !finder.found();
    // A file that grew since it was measured has no trailer to speak of.
    plan->removed[(int)Kind::Trailer] = file_size > end ? file_size - end : 0;
    return WriteError::None;
}

bool ScanToEnd(Reader& r, uint64_t file_size, Plan* plan) {
    return StreamPicture(r, file_size, plan, nullptr) == WriteError::None;
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

WriteError WriteCleaned(Reader& r, uint64_t file_size, Plan* plan, Output* out) {
    if (!r.Rewind()) return WriteError::ReadFailed;
    CountingOutput counted(out);
    for (size_t i = 0; i < plan->segments.size(); i++) {
        const Segment& seg = plan->segments[i];
        if (r.position() != seg.offset) return WriteError::Changed;
        if ((int)i == plan->exif_index && plan->WritesMinimalExif()) {
            std::vector<uint8_t> minimal = MinimalExifSegment(plan->orientation);
            if (!counted.Write(minimal.data(), minimal.size())) return WriteError::WriteFailed;
        }
        size_t left = seg.size;
        while (left > 0) {
            const uint8_t* p;
            size_t n;
            if (!r.NextChunk(left, &p, &n)) {
                return r.failed() ? WriteError::ReadFailed : WriteError::Changed;
            }
            if (seg.keep && !counted.Write(p, n)) return WriteError::WriteFailed;
            left -= n;
        }
    }
    if (r.position() != plan->scan_start) return WriteError::Changed;
    WriteError e = StreamPicture(r, file_size, plan, &counted);
    plan->size_after = counted.count;
    return e;
}

ParseError CleanInMemory(const uint8_t* data, size_t n, Plan* plan, Output* out, bool* wrote) {
    *wrote = false;
    MemoryInput in(data, n);
    Reader r(&in);
    ParseError e = ParseHeaders(r, n, plan);
    if (e != ParseError::None) return e;
    if (!plan->HeaderChanges()) ScanToEnd(r, n, plan);
    if (!plan->RemovesAnything()) return ParseError::None;
    WriteCleaned(r, n, plan, out);
    *wrote = true;
    return ParseError::None;
}

}  // namespace jhead
