#include "isobmff/top_level.h"

#include <algorithm>

namespace jhead {

static const char kDamaged[] = "HEIF 结构已损坏或文件不完整";
static const char kUnknown[] = "HEIF 结构无法识别";
static const char kNotStill[] = "不是静态图片（可能是视频），不能清理";

// Far more than any picture holds; a file of tiny boxes is not read on for ever.
constexpr size_t kMaxBoxes = 10000;

const char* KindFromBrands(const uint8_t* p, size_t n) {
    if (n < 8 || n % 4 != 0) return nullptr;
    bool avif = false, heic = false, still = false;
    for (size_t at = 0; at < n; at += 4) {
        if (at == 4) continue;  // minor version
        const uint32_t b = (uint32_t)GetBe(p + at, 4);
        avif |= b == Fourcc("avif");
        heic |= b == Fourcc("heic") || b == Fourcc("heix") || b == Fourcc("heim") ||
                b == Fourcc("heis");
        still |= b == Fourcc("mif1") || b == Fourcc("mif2");
    }
    if (!avif && !heic && !still) return nullptr;
    const uint32_t major = (uint32_t)GetBe(p, 4);
    if (major == Fourcc("avif") || (avif && !heic)) return "AVIF";
    return heic ? "HEIC" : "HEIF";
}

bool KeptAtTopLevel(uint32_t type) {
    static const uint32_t kTypes[] = {Fourcc("ftyp"), Fourcc("meta"), Fourcc("mdat"),
                                      Fourcc("free"), Fourcc("skip"), Fourcc("wide")};
    return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

static Refusal ReadBrands(Source& src, const Box& ftyp, TopLevel* t) {
    uint8_t brands[256];
    const uint64_t n = ftyp.size - ftyp.header;
    if (n > sizeof brands) return {false, kUnknown};
    if (!src.ReadAt(ftyp.payload(), brands, (size_t)n)) return {src.failed(), kDamaged};
    // The kind stays a name for the report even when the brands are refused.
    const char* kind = KindFromBrands(brands, (size_t)n);
    if (!kind) return {false, kNotStill};
    t->kind = kind;
    return {};
}

Refusal ReadTopLevel(Source& src, TopLevel* t) {
    for (uint64_t at = 0; at < src.size;) {
        uint8_t head[16];
        const size_t avail = (size_t)std::min<uint64_t>(sizeof head, src.size - at);
        if (!src.ReadAt(at, head, avail)) return {src.failed(), kDamaged};
        Box b;
        if (!ParseBoxHeader(head, avail, at, src.size, &b)) return {false, kDamaged};
        if (t->boxes.size() == kMaxBoxes) return {false, kUnknown};
        t->boxes.push_back(b);
        at = b.end();
    }
    if (t->boxes.empty() || t->boxes[0].type != Fourcc("ftyp")) return {false, kDamaged};
    Refusal r = ReadBrands(src, t->boxes[0], t);
    if (r.refused()) return r;
    for (size_t i = 1; i < t->boxes.size(); i++) {
        const uint32_t type = t->boxes[i].type;
        if (type == Fourcc("moov")) return {false, kNotStill};
        if (type != Fourcc("meta")) continue;
        if (t->meta >= 0) return {false, kUnknown};
        t->meta = (int)i;
    }
    if (t->meta < 0) return {false, kUnknown};
    return {};
}

}  // namespace jhead
