#include "container_samples.h"

#include "container/crc32.h"

namespace jhead_test {

static Bytes Be32(uint32_t v) {
    return {(uint8_t)(v >> 24), (uint8_t)(v >> 16), (uint8_t)(v >> 8), (uint8_t)v};
}

Bytes PngChunk(const char* type, const Bytes& data, uint32_t crc_flip) {
    Bytes c = Cat({Be32((uint32_t)data.size()), B(type), data});
    return Cat({c, Be32(jhead::Crc32(0, c.data() + 4, c.size() - 4) ^ crc_flip)});
}

Bytes Png(const Bytes& chunks) {
    return Cat({{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A},
                PngChunk("IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 8, 0, 0, 0, 0}),
                chunks,
                PngChunk("IDAT", B("pixels")),
                PngChunk("IEND", {})});
}

Bytes WebpChunk(const char* fourcc, const Bytes& payload) {
    const uint32_t n = (uint32_t)payload.size();
    Bytes c = Cat({B(fourcc),
                   {(uint8_t)n, (uint8_t)(n >> 8), (uint8_t)(n >> 16), (uint8_t)(n >> 24)},
                   payload});
    if (n % 2) c.push_back(0);
    return c;
}

Bytes Webp(const Bytes& chunks) {
    Bytes riff = WebpChunk("RIFF", Cat({B("WEBP"), chunks}));
    return riff;
}

Bytes ExifTiff(int orientation, bool big_endian) {
    Bytes seg = ExifSegment(orientation, big_endian);
    return Bytes(seg.begin() + 10, seg.end());
}

Planned::Planned(jhead::Refusal (*plan_kind)(jhead::Source&, jhead::EditPlan*), const Bytes& in) {
    jhead::MemorySource src(in.data(), in.size());
    refusal = plan_kind(src, &plan);
    if (refusal.refused()) return;
    jhead::MemoryOutput o;
    if (WritePlan(src, &plan, &o) == jhead::PlanWriteError::None) out = o.bytes;
}

uint64_t Planned::Removed(const std::string& name) const {
    for (const auto& [n, bytes] : plan.summary.removed) {
        if (n == name) return bytes;
    }
    return 0;
}

}  // namespace jhead_test
