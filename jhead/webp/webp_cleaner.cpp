#include "webp/webp_cleaner.h"

#include <cstring>
#include <vector>

#include "metadata/exif_orientation.h"
#include "metadata/readers.h"

namespace jhead {

namespace {

// VP8X flags that announce the metadata chunks.
constexpr uint8_t kExifFlag = 0x08;
constexpr uint8_t kXmpFlag = 0x04;
// Metadata chunks up to this size are read for the report; a larger one
// is removed unread.
constexpr uint32_t kReadWhole = 16 << 20;

uint32_t Le32(const uint8_t* p) {
    return p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

void PutLe32(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 4; i++) p[i] = (uint8_t)(v >> (8 * i));
}

bool Is(const uint8_t* fourcc, const char* name) { return memcmp(fourcc, name, 4) == 0; }

struct Chunk {
    uint64_t offset = 0;  // of its header
    uint32_t payload = 0;
    uint8_t fourcc[4] = {};
    uint64_t size() const { return 8 + (uint64_t)payload + (payload & 1); }
};

struct Walk {
    Source& src;
    EditPlan* plan;
    uint64_t end = 0;  // of the RIFF data
    std::vector<Chunk> chunks;
    Orientation orientation;  // of the first EXIF chunk
    bool exif_seen = false;
};

Refusal Broken(const Walk& w, const char* text) {
    if (w.src.failed()) return {true, ""};
    return {false, text};
}

// The RIFF header: its size must hold at least one chunk and stay inside
// the file. An odd size never matches the padded chunks, and is refused
// by the walk.
Refusal ReadRiff(Walk& w) {
    uint8_t h[12];
    if (!w.src.ReadAt(0, h, 12) || !Is(h, "RIFF") || !Is(h + 8, "WEBP")) {
        return Broken(w, "不是 WebP 文件");
    }
    const uint64_t riff = Le32(h + 4);
    if (riff < 4 + 8 || 8 + riff > w.src.size) {
        return {false, "WebP 文件结构损坏：RIFF 大小与文件不符"};
    }
    w.end = 8 + riff;
    return {};
}

// Every chunk's header, each inside the RIFF data.
Refusal ReadChunks(Walk& w) {
    for (uint64_t at = 12; at < w.end;) {
        Chunk c;
        uint8_t h[8];
        c.offset = at;
        if (at + 8 > w.end) return {false, "WebP 文件结构损坏：数据块超出文件末尾"};
        if (!w.src.ReadAt(at, h, 8)) return Broken(w, "WebP 文件结构损坏：数据块超出文件末尾");
        memcpy(c.fourcc, h, 4);
        c.payload = Le32(h + 4);
        if (at + c.size() > w.end) return {false, "WebP 文件结构损坏：数据块超出文件末尾"};
        w.chunks.push_back(c);
        at += c.size();
    }
    return {};
}

// The first chunk says the format: a lone image chunk, or VP8X and then
// the image chunks; a VP8X anywhere else is not a structure decoders read.
Refusal CheckLayout(const Walk& w) {
    bool image = false;
    for (size_t i = 0; i < w.chunks.size(); i++) {
        const uint8_t* f = w.chunks[i].fourcc;
        if (Is(f, "VP8X") && (i != 0 || w.chunks[i].payload < 10)) {
            return {false, "WebP 文件结构损坏：扩展头（VP8X）位置或大小无效"};
        }
        image = image || Is(f, "VP8 ") || Is(f, "VP8L") || Is(f, "ANMF");
    }
    if (!image) return {false, "WebP 文件中没有图像数据"};
    return {};
}

bool IsKept(const uint8_t* f) {
    for (const char* k : {"VP8 ", "VP8L", "VP8X", "ALPH", "ANIM", "ANMF", "ICCP"}) {
        if (Is(f, k)) return true;
    }
    return false;
}

// Reads an EXIF or XMP chunk for the report; the first EXIF chunk's TIFF
// block (sometimes behind "Exif\0\0") also gives the orientation, and
// *minimal says that it holds nothing else, as a cleaned file's does.
Refusal ScanMetadata(Walk& w, const Chunk& c, bool* minimal) {
    Findings* found = &w.plan->summary.found;
    if (c.payload > kReadWhole) return {};
    std::vector<uint8_t> data(c.payload);
    if (!w.src.ReadAt(c.offset + 8, data.data(), data.size())) {
        return Broken(w, "WebP 文件结构损坏：数据块不完整");
    }
    if (Is(c.fourcc, "XMP ")) {
        ScanXmp((const char*)data.data(), data.size(), found);
        return {};
    }
    const size_t skip = data.size() >= 6 && memcmp(data.data(), "Exif\0", 6) == 0 ? 6 : 0;
    ScanExif(data.data() + skip, data.size() - skip, found);
    if (w.exif_seen) return {};
    w.exif_seen = true;
    w.orientation = ReadTiffOrientation(data.data() + skip, data.size() - skip);
    *minimal = w.orientation.value >= 2 && data == MinimalTiff(w.orientation);
    return {};
}

// VP8X with the metadata flags cleared, the EXIF one kept for an
// orientation that stays.
std::vector<uint8_t> NewVp8x(Walk& w, const Chunk& c, bool keeps_exif) {
    std::vector<uint8_t> bytes(c.size());
    if (!w.src.ReadAt(c.offset, bytes.data(), bytes.size())) return {};
    bytes[8] &= (uint8_t) ~(kXmpFlag | (keeps_exif ? 0 : kExifFlag));
    return bytes;
}

std::vector<uint8_t> OrientationChunk(Orientation o) {
    const std::vector<uint8_t> tiff = MinimalTiff(o);
    std::vector<uint8_t> c = {'E', 'X', 'I', 'F', 0, 0, 0, 0};
    PutLe32(&c[4], tiff.size());
    c.insert(c.end(), tiff.begin(), tiff.end());
    return c;
}

// The pieces: a RIFF header with the new size, VP8X anew, the kept chunks
// as they are, the orientation where the EXIF chunk was.
Refusal Rebuild(Walk& w, const std::vector<bool>& kept) {
    EditPlan* plan = w.plan;
    const bool extended = Is(w.chunks[0].fourcc, "VP8X");
    const int o = extended ? w.orientation.value : 0;
    if (o >= 2) plan->summary.orientation = o;
    bool orientation_placed = o < 2;
    std::vector<uint8_t> header = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};
    plan->Insert(header);
    for (size_t i = 0; i < w.chunks.size(); i++) {
        const Chunk& c = w.chunks[i];
        if (i == 0 && extended) {
            std::vector<uint8_t> vp8x = NewVp8x(w, c, o >= 2);
            if (vp8x.empty()) return Broken(w, "WebP 文件结构损坏：数据块不完整");
            plan->Insert(std::move(vp8x));
        } else if (kept[i]) {
            plan->Copy(c.offset, c.size());
            orientation_placed = orientation_placed || Is(c.fourcc, "EXIF");
        } else if (!orientation_placed && Is(c.fourcc, "EXIF")) {
            plan->Insert(OrientationChunk(w.orientation));
            orientation_placed = true;
        }
    }
    PutLe32(&plan->pieces.front().bytes[4], plan->OutputSize() - 8);
    return {};
}

}  // namespace

Refusal PlanWebp(Source& src, EditPlan* plan) {
    plan->summary.kind = "WebP";
    Walk w{src, plan, 0, {}, {}, false};
    Refusal r = ReadRiff(w);
    if (!r.refused()) r = ReadChunks(w);
    if (!r.refused()) r = CheckLayout(w);
    if (r.refused()) return r;
    std::vector<bool> kept(w.chunks.size());
    for (size_t i = 0; i < w.chunks.size(); i++) {
        const Chunk& c = w.chunks[i];
        kept[i] = IsKept(c.fourcc);
        if (kept[i]) continue;
        const bool exif = Is(c.fourcc, "EXIF"), xmp = Is(c.fourcc, "XMP ");
        bool minimal = false;
        if (exif || xmp) r = ScanMetadata(w, c, &minimal);
        if (r.refused()) return r;
        // Only where the VP8X announces it does a viewer read the EXIF chunk.
        kept[i] = minimal && Is(w.chunks[0].fourcc, "VP8X");
        if (kept[i]) continue;
        plan->Removed(exif ? "Exif" : xmp ? "XMP" : "其他数据块", c.size());
    }
    r = Rebuild(w, kept);
    if (r.refused()) return r;
    plan->Removed("图像后附加数据", src.size - w.end);
    return {};
}

}  // namespace jhead
