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

namespace {

const Bytes kIend = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

Bytes Text(const char* type, const std::string& keyword_and_text) {
    return PngChunk(type, B(keyword_and_text));
}

TEST(Png, KeepsRenderingAndAnimationChunksRemovesTheRest) {
    EXPECT_EQ(PngChunk("IEND", {}), kIend);
    const char* digits = "123456789";
    EXPECT_EQ(Crc32(0, (const uint8_t*)digits, 9), 0xCBF43926u);
    Bytes kept;
    for (const char* type : {"iCCP", "sRGB", "gAMA", "cHRM", "cICP", "mDCv", "cLLi", "sBIT", "pHYs",
                             "tRNS", "bKGD", "acTL", "fcTL", "fdAT", "PLTE"}) {
        kept = Cat({kept, PngChunk(type, B(type))});
    }
    Bytes text = Cat({Text("tEXt", std::string("Title\0x", 7)),
                      Text("zTXt", std::string("Comment\0\0zz", 11)), PngChunk("tIME", Bytes(7))});
    Bytes xmp = Text("iTXt", std::string("XML:com.adobe.xmp\0\0\0\0\0<x/>", 25));
    Bytes other = Cat({PngChunk("hIST", Bytes(4)), PngChunk("iDOT", Bytes(28))});
    Bytes exif = PngChunk("eXIf", ExifTiff(1, false));
    Bytes in = Cat({Png(Cat({exif, kept, text, xmp, other})), B("trailer")});
    Planned p(PlanPng, in);
    ASSERT_FALSE(p.refusal.refused()) << p.refusal.text;
    EXPECT_EQ(p.out, Png(kept));
    EXPECT_EQ(p.plan.summary.size_after, p.out.size());
    EXPECT_EQ(p.Removed("Exif"), exif.size());
    EXPECT_EQ(p.Removed("文本"), text.size() - 19);
    EXPECT_EQ(p.Removed("修改时间"), 19u);
    EXPECT_EQ(p.Removed("XMP"), xmp.size());
    EXPECT_EQ(p.Removed("其他数据块"), other.size());
    EXPECT_EQ(p.Removed("图像后附加数据"), 7u);
    EXPECT_FALSE(Planned(PlanPng, p.out).plan.RemovesAnything());
}

TEST(Png, TextKeywordsNameTheirKinds) {
    const std::pair<Bytes, Private> cases[] = {
        {Text("tEXt", std::string("Author\0Ann", 10)), Private::Author},
        {Text("iTXt", std::string("Copyright\0\0\0\0\0CC", 16)), Private::Author},
        {Text("zTXt", std::string("Software\0\0x", 11)), Private::Software},
        {Text("tEXt", std::string("Creation Time\0"
                                  "2020",
                                  18)),
         Private::Time},
        {PngChunk("tIME", Bytes(7)), Private::Time},
        {Text("tEXt", std::string("Anything\0x", 10)), Private::Text},
        {PngChunk("eXIf", ExifTiff(0, true)), Private::Device},
        {Text("iTXt", "XML:com.adobe.xmp" + std::string(5, '\0') +
                          "<rdf:Description xmlns:e='http://ns.adobe.com/exif/1.0/' "
                          "e:GPSLongitude='3,4E'/>"),
         Private::Gps},
    };
    for (const auto& [chunk, kind] : cases) {
        Findings f = Planned(PlanPng, Png(chunk)).plan.summary.found;
        EXPECT_EQ(f.kinds, 1u << (int)kind) << chunk.data() + 4;
    }
    // A keyword with no text names nothing, though the chunk goes.
    Planned blank(PlanPng, Png(Text("tEXt", std::string("Author\0 ", 8))));
    EXPECT_EQ(blank.plan.summary.found.kinds, 0u);
    EXPECT_TRUE(blank.plan.RemovesAnything());
}

TEST(Png, OrientationStaysInAMinimalExifChunk) {
    for (bool be : {false, true}) {
        Bytes in = Png(Cat({PngChunk("gAMA", Bytes(4)), PngChunk("eXIf", ExifTiff(6, be))}));
        Planned p(PlanPng, in);
        Bytes want = Png(Cat({PngChunk("gAMA", Bytes(4)), PngChunk("eXIf", MinimalTiff({6, be}))}));
        EXPECT_EQ(p.out, want);
        EXPECT_EQ(p.plan.summary.orientation, 6);
        Planned again(PlanPng, want);
        EXPECT_FALSE(again.plan.RemovesAnything());
        EXPECT_EQ(again.plan.summary.orientation, 6);
    }
}

TEST(Png, DamageIsRefused) {
    const Bytes good = Png(PngChunk("tEXt", B("a\0b")));
    const size_t text_at = 8 + 25;  // the tEXt chunk, after signature and IHDR
    auto with = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + at);
        return b;
    };
    Bytes idat_crc = good;
    idat_crc[good.size() - 12 - 1] ^= 0x01;
    ASSERT_FALSE(Planned(PlanPng, good).refusal.refused());
    const std::pair<const char*, Bytes> cases[] = {
        {"removed chunk's CRC off by a bit", Png(PngChunk("tEXt", B("a\0b"), 0x80000000))},
        {"IDAT's CRC off by a bit", idat_crc},
        {"length one past the end",
         with(text_at, {0, 0, 0, (uint8_t)(good.size() - text_at - 12 + 1)})},
        {"length above 2^31-1", with(text_at, {0x80, 0, 0, 3})},
        {"unknown critical chunk", Png(PngChunk("QUUX", {}))},
        {"type not letters", Png(PngChunk("t3Xt", {}))},
        {"no IEND", Bytes(good.begin(), good.end() - 12)},
        {"IHDR not first",
         Cat({Bytes(good.begin(), good.begin() + 8), Bytes(good.begin() + 33, good.end())})},
        {"second IHDR", Png(Bytes(good.begin() + 8, good.begin() + 33))},
        {"no IDAT", Cat({Bytes(good.begin(), good.end() - 30), kIend})},
        {"not a PNG", Bytes(good.begin(), good.begin() + 7)},
    };
    for (const auto& [name, in] : cases) {
        Planned p(PlanPng, in);
        EXPECT_TRUE(p.refusal.refused()) << name;
        EXPECT_FALSE(p.refusal.text.empty()) << name;
    }
}

}  // namespace
