#include "png/png_cleaner.h"

#include <cstring>
#include <vector>

#include "container/crc32.h"
#include "container/sequential_reader.h"
#include "metadata/exif_orientation.h"
#include "metadata/readers.h"
#include "platform/byte_order.h"
#include "png/png_chunks.h"

namespace jhead {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Lengths are 31-bit: a larger one is damage, not a huge chunk.
constexpr uint32_t kMaxLength = 0x7FFFFFFF;
// Removed chunks up to this size are read whole for the report; a larger
// one is only checked (a text chunk then counts as text found).
constexpr uint32_t kReadWhole = 16 << 20;

struct Chunk {
    uint64_t offset = 0;  // of its length field
    uint32_t length = 0;
    uint8_t type[4] = {};
    PngRole role = PngRole::Other;
    std::vector<uint8_t> data;  // for removed chunks read whole
    uint64_t size() const { return 12 + (uint64_t)length; }
};

struct Walk {
    Source& src;
    EditPlan* plan;
    SequentialReader in;
    bool ihdr = false, idat = false, iend = false;
    bool exif_seen = false;
};

// Reads the data and the CRC that follows, keeping the data of a removed
// chunk; false when the chunk is cut short, *crc_ok false when its CRC is
// wrong.
bool ReadChecked(Walk& w, Chunk* c, bool* crc_ok) {
    uint32_t crc = Crc32(0, c->type, 4);
    const bool keep_data = c->role != PngRole::Keep && c->length <= kReadWhole;
    if (keep_data) c->data.reserve(c->length);
    const uint8_t* p;
    for (uint64_t left = c->length, n; left > 0; left -= n) {
        n = w.in.Next(left, &p);
        if (n == 0) return false;
        crc = Crc32(crc, p, n);
        if (keep_data) c->data.insert(c->data.end(), p, p + n);
    }
    uint8_t stored[4];
    if (!w.in.Read(stored, 4)) return false;
    *crc_ok = GetBe(stored, 4) == crc;
    return true;
}

// The next chunk's header, checked against the file and the order of
// critical chunks.
Refusal ReadHeader(Walk& w, Chunk* c) {
    uint8_t h[8];
    c->offset = w.in.pos();
    if (!w.in.Read(h, 8)) return Broken(w.src, "PNG 文件结构损坏：缺少结束数据块（IEND）");
    c->length = (uint32_t)GetBe(h, 4);
    memcpy(c->type, h + 4, 4);
    c->role = RoleOf(c->type);
    if (c->length > kMaxLength) return {false, "PNG 文件结构损坏：数据块长度无效"};
    if (c->offset + c->size() > w.src.size) {
        return {false, "PNG 文件结构损坏：数据块超出文件末尾"};
    }
    if (c->role == PngRole::Invalid) return {false, "PNG 文件结构损坏：数据块类型无效"};
    if (c->role == PngRole::UnknownCritical) return {false, "PNG 文件含有无法识别的关键数据块"};
    const bool is_ihdr = memcmp(c->type, "IHDR", 4) == 0;
    if (is_ihdr != !w.ihdr) return {false, "PNG 文件结构损坏：头数据块（IHDR）缺失或重复"};
    w.ihdr = true;
    if (memcmp(c->type, "IDAT", 4) == 0) w.idat = true;
    if (memcmp(c->type, "IEND", 4) == 0) w.iend = true;
    return {};
}

// The eXIf chunk again, holding only the orientation; empty when there is
// none to keep.
std::vector<uint8_t> OrientationChunk(Orientation o) {
    if (o.value < 2) return {};
    const std::vector<uint8_t> tiff = MinimalTiff(o);
    std::vector<uint8_t> c = {0, 0, 0, (uint8_t)tiff.size(), 'e', 'X', 'I', 'f'};
    c.insert(c.end(), tiff.begin(), tiff.end());
    const uint32_t crc = Crc32(0, c.data() + 4, c.size() - 4);
    for (int i = 3; i >= 0; i--) c.push_back((uint8_t)(crc >> (8 * i)));
    return c;
}

// A removed chunk: its findings, its bytes under the report's name, and
// for the first eXIf the orientation in a chunk of its own. An eXIf that
// already holds the orientation alone stays as it is.
void Remove(Walk& w, const Chunk& c) {
    EditPlan* plan = w.plan;
    Findings* f = &plan->summary.found;
    const bool whole = c.data.size() == c.length;
    if (c.role == PngRole::Exif && !w.exif_seen) {
        w.exif_seen = true;
        const Orientation o =
            whole ? ReadTiffOrientation(c.data.data(), c.data.size()) : Orientation{};
        if (o.value >= 2) plan->summary.orientation = o.value;
        if (o.value >= 2 && c.data == MinimalTiff(o)) {
            plan->Copy(c.offset, c.size());
            return;
        }
        plan->Insert(OrientationChunk(o));
    }
    if (c.role == PngRole::Exif && whole) ScanExif(c.data.data(), c.data.size(), f);
    if (c.role == PngRole::Text && whole) ScanPngText(c.type, c.data.data(), c.data.size(), f);
    // A chunk too large to read whole is removed unread.
    if (c.role == PngRole::Text && !whole) f->Add(Private::Text);
    if (c.role != PngRole::Other && !whole) f->unread = true;
    if (c.role == PngRole::Time) f->Add(Private::Time);
    plan->Removed(RemovedName(c.role, c.type, c.data.data(), c.data.size()), c.size());
}

}  // namespace

Refusal PlanPng(Source& src, EditPlan* plan) {
    plan->summary.kind = "PNG";
    Walk w{src, plan, SequentialReader(src)};
    uint8_t sig[8];
    if (!w.in.Read(sig, 8) || memcmp(sig, kSignature, 8) != 0) {
        return Broken(w.src, "不是 PNG 文件");
    }
    plan->Copy(0, 8);
    while (!w.iend) {
        Chunk c;
        Refusal r = ReadHeader(w, &c);
        if (r.refused()) return r;
        bool crc_ok = false;
        if (!ReadChecked(w, &c, &crc_ok)) return Broken(w.src, "PNG 文件结构损坏：数据块不完整");
        if (!crc_ok) return {false, "PNG 文件已损坏：数据块校验值（CRC）不符"};
        if (c.role == PngRole::Keep) {
            plan->Copy(c.offset, c.size());
        } else {
            Remove(w, c);
        }
    }
    if (!w.idat) return {false, "PNG 文件结构损坏：缺少图像数据块（IDAT）"};
    plan->Removed("图像后附加数据", src.size - w.in.pos());
    return {};
}

}  // namespace jhead
