// PNG and APNG cleaned in memory: which chunks go and which stay byte for
// byte, what the report learns from them, the orientation, and the damage
// that must leave the picture alone.
#include <gtest/gtest.h>

#include "container/crc32.h"
#include "container_samples.h"
#include "metadata/exif_orientation.h"
#include "png/png_cleaner.h"

using namespace jhead;
using namespace jhead_test;
using namespace std::string_literals;

namespace {

Bytes Chunk(const char* type, const std::string& data) { return PngChunk(type, B(data)); }

TEST(Png, KeepsRenderingAndAnimationChunksRemovesTheRest) {
    EXPECT_EQ(Crc32(0, B("123456789").data(), 9), 0xCBF43926u);
    Bytes kept;
    for (const char* type : {"iCCP", "sRGB", "gAMA", "cHRM", "cICP", "mDCv", "cLLi", "sBIT", "pHYs",
                             "tRNS", "bKGD", "acTL", "fcTL", "fdAT", "PLTE"}) {
        kept = Cat({kept, Chunk(type, type)});
    }
    Bytes in =
        Png(Cat({PngChunk("eXIf", ExifTiff(1, false)), kept, Chunk("tEXt", "Title\0x"s),
                 PngChunk("tIME", Bytes(7)), Chunk("iTXt", "XML:com.adobe.xmp\0\0\0\0\0<x/>"s),
                 Chunk("hIST", "ab"), Chunk("iDOT", "")}));
    Planned p(PlanPng, Cat({in, B("tail")}));
    EXPECT_EQ(p.out, Png(kept));
    EXPECT_EQ(RemovedList(p.plan.summary),
              "Exif 86, 文本 19, 修改时间 19, XMP 38, 其他数据块 26, 图像后附加数据 4");
    EXPECT_FALSE(Planned(PlanPng, p.out).plan.RemovesAnything());
}

TEST(Png, TextKeywordsNameTheirKindsAndOrientationStays) {
    const std::pair<Bytes, Private> cases[] = {
        {Chunk("tEXt", "Author\0Ann"s), Private::Author},
        {Chunk("iTXt", "Copyright\0\0\0\0\0CC"s), Private::Author},
        {Chunk("zTXt", "Software\0\0x"s), Private::Software},
        {Chunk("tEXt", "Creation Time\0x"s), Private::Time},
        {Chunk("tIME", "1234567"), Private::Time},
        {Chunk("tEXt", "Anything\0x"s), Private::Text},
        {PngChunk("eXIf", ExifTiff(0, true)), Private::Device},
        {Chunk("iTXt", "XML:com.adobe.xmp\0\0\0\0\0"s + kXmpGps), Private::Gps},
        {Chunk("tEXt", "Author\0 "s), Private::Count},  // blank: nothing named
    };
    for (const auto& [chunk, kind] : cases) {
        Planned p(PlanPng, Png(chunk));
        EXPECT_EQ(p.plan.summary.found.kinds, (1u << (int)kind) & 0x3FF) << chunk.data() + 4;
        EXPECT_TRUE(p.plan.RemovesAnything());
    }
    for (bool be : {false, true}) {
        Planned p(PlanPng, Png(Cat({Chunk("gAMA", "1234"), PngChunk("eXIf", ExifTiff(6, be))})));
        Bytes want = Png(Cat({Chunk("gAMA", "1234"), PngChunk("eXIf", MinimalTiff({6, be}))}));
        EXPECT_EQ(p.out, want);
        Planned again(PlanPng, want);
        EXPECT_FALSE(again.plan.RemovesAnything());
        EXPECT_EQ(again.plan.summary.orientation, 6);
    }
}

TEST(Png, DamageIsRefused) {
    const Bytes good = Png(Chunk("tEXt", "a\0b"s));
    ASSERT_FALSE(Planned(PlanPng, good).refusal.refused());
    const size_t text_at = 8 + 25;  // after the signature and IHDR
    auto length = [&](uint32_t n) {
        Bytes b = good;
        for (int i = 0; i < 4; i++) b[text_at + i] = (uint8_t)(n >> (24 - 8 * i));
        return b;
    };
    Bytes idat_crc = good;
    idat_crc[good.size() - 12 - 1] ^= 0x01;
    const std::pair<const char*, Bytes> cases[] = {
        {"removed chunk's CRC off by a bit", Png(PngChunk("tEXt", B("a\0b"s), 0x80000000))},
        {"IDAT's CRC off by a bit", idat_crc},
        {"length one past the end", length((uint32_t)(good.size() - text_at - 12 + 1))},
        {"length above 2^31-1", length(0x80000003)},
        {"unknown critical chunk", Png(Chunk("QUUX", ""))},
        {"type not letters", Png(Chunk("t3Xt", ""))},
        {"no IEND", Bytes(good.begin(), good.end() - 12)},
        {"IHDR not first",
         Cat({Bytes(good.begin(), good.begin() + 8), Bytes(good.begin() + text_at, good.end())})},
        {"second IHDR", Png(Bytes(good.begin() + 8, good.begin() + text_at))},
        {"no IDAT", Cat({Bytes(good.begin(), good.end() - 30), PngChunk("IEND", {})})},
        {"not a PNG", Bytes(good.begin(), good.begin() + 7)},
    };
    for (const auto& [name, in] : cases)
        EXPECT_FALSE(Planned(PlanPng, in).refusal.text.empty()) << name;
}

}  // namespace
