// WebP cleaned in memory: metadata chunks removed, their VP8X flags cleared,
// the RIFF size made right, the picture's chunks kept byte for byte, the
// orientation kept; and the damage that must leave the picture alone.
#include <gtest/gtest.h>

#include "container_samples.h"
#include "metadata/exif_orientation.h"
#include "webp/webp_cleaner.h"

using namespace jhead;
using namespace jhead_test;

namespace {

Bytes Webp(const Bytes& chunks) { return WebpChunk("RIFF", Cat({B("WEBP"), chunks})); }
// VP8X with the given flags: ICC 0x20, alpha 0x10, EXIF 0x08, XMP 0x04, animation 0x02.
Bytes Vp8x(uint8_t flags) { return WebpChunk("VP8X", {flags, 0, 0, 0, 0, 0, 0, 0, 0, 0}); }

const Bytes kVp8 = WebpChunk("VP8 ", B("frame"));  // odd: padded
const Bytes kXmp = WebpChunk("XMP ", B(kXmpGps));

TEST(Webp, RemovesMetadataClearsFlagsFixesRiffSize) {
    Bytes kept = Cat({WebpChunk("ICCP", B("icc")), WebpChunk("ANIM", Bytes(6)),
                      WebpChunk("ANMF", Cat({Bytes(16), WebpChunk("ALPH", B("a")), kVp8}))});
    Bytes exif = Cat({B(std::string("Exif\0\0", 6)), ExifTiff(1, true)});
    Planned p(PlanWebp, Cat({Webp(Cat({Vp8x(0x3E), kept, WebpChunk("EXIF", exif), kXmp,
                                       WebpChunk("ABCD", B("x"))})),
                             B("tail")}));
    EXPECT_EQ(p.out, Webp(Cat({Vp8x(0x32), kept})));
    EXPECT_EQ(RemovedList(p.plan.summary), "Exif 88, XMP 88, 其他数据块 10, 图像后附加数据 4");
    EXPECT_EQ(p.plan.summary.found.kinds, 1u << (int)Private::Gps | 1u << (int)Private::Device);
    EXPECT_FALSE(Planned(PlanWebp, p.out).plan.RemovesAnything());
    // The simple format: only the image chunk stays.
    EXPECT_EQ(Planned(PlanWebp, Webp(Cat({kVp8, kXmp}))).out, Webp(kVp8));
}

TEST(Webp, OrientationStaysWhereVp8xAnnouncesExif) {
    for (bool be : {false, true}) {
        Bytes in = Webp(Cat({Vp8x(0x0C), kVp8, kXmp, WebpChunk("EXIF", ExifTiff(8, be))}));
        Bytes want = Webp(Cat({Vp8x(0x08), kVp8, WebpChunk("EXIF", MinimalTiff({8, be}))}));
        EXPECT_EQ(Planned(PlanWebp, in).out, want);
        Planned again(PlanWebp, want);
        EXPECT_FALSE(again.plan.RemovesAnything());
        EXPECT_EQ(again.plan.summary.orientation, 8);
    }
    // Without VP8X no viewer reads it: nothing stays.
    Bytes simple = Webp(Cat({kVp8, WebpChunk("EXIF", MinimalTiff({8, false}))}));
    EXPECT_EQ(Planned(PlanWebp, simple).out, Webp(kVp8));
}

TEST(Webp, DamageIsRefused) {
    const Bytes good = Webp(Cat({Vp8x(0), kVp8}));
    // A RIFF that ends before the file does: the rest is removed, not refused.
    EXPECT_EQ(Planned(PlanWebp, Cat({good, B("xx")})).out, good);
    auto riff_size = [&](uint32_t n) {
        Bytes b = good;
        for (int i = 0; i < 4; i++) b[4 + i] = (uint8_t)(n >> (8 * i));
        return b;
    };
    const uint32_t real = (uint32_t)good.size() - 8;
    Bytes chunk_past = good;
    chunk_past[good.size() - kVp8.size() + 4] = 7;  // 7 + pad: one past the end
    const std::pair<const char*, Bytes> cases[] = {
        {"RIFF size one past the end", riff_size(real + 2)},
        {"RIFF size odd", Cat({riff_size(real + 1), {0}})},
        {"RIFF size too small for a chunk", riff_size(4)},
        {"chunk one past the RIFF end", chunk_past},
        {"RIFF ends inside a chunk header", Cat({riff_size(real + 4), Bytes(4)})},
        {"VP8X not first", Webp(Cat({kVp8, Vp8x(0)}))},
        {"VP8X too short", Webp(Cat({WebpChunk("VP8X", Bytes(8)), kVp8}))},
        {"no image chunk", Webp(Cat({Vp8x(0), WebpChunk("ICCP", B("icc"))}))},
        {"not a WebP", Bytes(good.begin(), good.begin() + 11)},
    };
    for (const auto& [name, in] : cases)
        EXPECT_FALSE(Planned(PlanWebp, in).refusal.text.empty()) << name;
}

}  // namespace
