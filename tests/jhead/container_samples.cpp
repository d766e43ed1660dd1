#include "container_samples.h"

#include "container/crc32.h"

namespace jhead_test {

Bytes PngChunk(const char* type, const Bytes& data, uint32_t crc_flip) {
    Bytes c = Cat({Bytes(4), B(type), data});
    for (int i = 0; i < 4; i++) c[i] = (uint8_t)(data.size() >> (24 - 8 * i));
    const uint32_t crc = jhead::Crc32(0, c.data() + 4, c.size() - 4) ^ crc_flip;
    for (int i = 0; i < 4; i++) c.push_back((uint8_t)(crc >> (24 - 8 * i)));
    return c;
}

Bytes Png(const Bytes& chunks) {
    return Cat({{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A},
                PngChunk("IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 8, 0, 0, 0, 0}),
                chunks,
                PngChunk("IDAT", B("pixels")),
                PngChunk("IEND", {})});
}

Bytes WebpChunk(const char* fourcc, const Bytes& payload) {
    Bytes c = Cat({B(fourcc), Bytes(4), payload});
    for (int i = 0; i < 4; i++) c[4 + i] = (uint8_t)(payload.size() >> (8 * i));
    if (payload.size() % 2) c.push_back(0);
    return c;
}

const char kXmpGps[] =
    "<rdf:Description xmlns:e='http://ns.adobe.com/exif/1.0/' e:GPSLongitude='3,4E'/>";

std::string RemovedList(const jhead::Summary& s) {
    std::string list;
    for (const auto& [name, bytes] : s.removed)
        list += (list.empty() ? "" : ", ") + name + " " + std::to_string(bytes);
    return list;
}

Bytes ExifTiff(int orientation, bool big_endian) {
    Bytes seg = ExifSegment(orientation, big_endian);
    return Bytes(seg.begin() + 10, seg.end());
}

Planned::Planned(jhead::Refusal (*plan_kind)(jhead::Source&, jhead::EditPlan*), const Bytes& in) {
    jhead::MemorySource src(in.data(), in.size());
    refusal = plan_kind(src, &plan);
    jhead::MemoryOutput o;
    if (!refusal.refused() && WritePlan(src, &plan, &o) == jhead::PlanWriteError::None) {
        out = o.bytes;
    }
}

}  // namespace jhead_test
