// PNG (APNG too) and WebP cleaned in memory: which chunks go and which stay
// byte for byte, what the report learns from them, the orientation, the
// fixed-up headers, and the damage that must leave the picture alone.
#include <gtest/gtest.h>

#include "container/crc32.h"
#include "jpeg_samples.h"
#include "metadata/exif_orientation.h"
#include "planned.h"
#include "png/png_cleaner.h"
#include "webp/webp_cleaner.h"

using namespace jhead;
using namespace jhead_test;
using namespace std::string_literals;

namespace {

// Length, type, data, CRC (crc_flip: a bit of the CRC turned).
Bytes PngChunk(const char* type, const Bytes& data, uint32_t crc_flip = 0) {
    Bytes c = Cat({Be(data.size(), 4), B(type), data});
    return Cat({c, Be(Crc32(0, c.data() + 4, c.size() - 4) ^ crc_flip, 4)});
}
Bytes Chunk(const char* type, const std::string& data) { return PngChunk(type, B(data)); }
// The signature, IHDR, the chunks, IDAT and IEND.
Bytes Png(const Bytes& chunks) {
    Bytes ihdr = Chunk("IHDR", "\0\0\0\1\0\0\0\1\10\0\0\0\0"s);
    return Cat({B("\x89PNG\r\n\x1a\n"), ihdr, chunks, Chunk("IDAT", "pixels"), Chunk("IEND", "")});
}
// Four-character code, little-endian size, payload, pad byte when odd.
Bytes WebpChunk(const char* fourcc, const Bytes& payload) {
    return Cat({B(fourcc), Le(payload.size(), 4), payload, Bytes(payload.size() % 2)});
}
Bytes Webp(const Bytes& chunks) { return WebpChunk("RIFF", Cat({B("WEBP"), chunks})); }
// VP8X with the given flags: ICC 0x20, alpha 0x10, EXIF 0x08, XMP 0x04, animation 0x02.
Bytes Vp8x(uint8_t flags) { return WebpChunk("VP8X", {flags, 0, 0, 0, 0, 0, 0, 0, 0, 0}); }
// As ImageMagick writes a raw profile: two hex digits a byte.
std::string Hex(const Bytes& b) {
    std::string s;
    for (uint8_t c : b)
        s += "0123456789abcdef"[c >> 4] + std::string(1, "0123456789abcdef"[c & 15]);
    return s;
}

const std::string kXmpGps =
    "<rdf:Description xmlns:e='http://ns.adobe.com/exif/1.0/' e:GPSLongitude='3,4E'/>";
const Bytes kVp8 = WebpChunk("VP8 ", B("frame"));  // odd: padded
const Bytes kXmp = WebpChunk("XMP ", B(kXmpGps));

// The input cleans to want, which holds only the given orientation and
// nothing left to remove.
void ExpectCleaned(Refusal (*plan_kind)(Source&, EditPlan*), const Bytes& in, const Bytes& want,
                   int orientation = 0) {
    EXPECT_EQ(Planned(plan_kind, in).out, want);
    Planned again(plan_kind, want);
    EXPECT_FALSE(again.plan.RemovesAnything());
    EXPECT_EQ(again.plan.summary.orientation, orientation);
}

TEST(Png, KeepsRenderingAndAnimationChunksRemovesTheRest) {
    EXPECT_EQ(Crc32(0, B("123456789").data(), 9), 0xCBF43926u);
    Bytes kept;
    for (const char* type : {"iCCP", "sRGB", "gAMA", "cHRM", "cICP", "mDCv", "cLLi", "sBIT", "pHYs",
                             "tRNS", "bKGD", "acTL", "fcTL", "fdAT", "PLTE"}) {
        kept = Cat({kept, Chunk(type, type)});
    }
    kept = Cat({kept, PngChunk("fdAT", Bytes(3 << 19, 7))});  // across the reader's 1 MiB buffer
    Bytes in = Png(Cat({PngChunk("eXIf", ExifTiff(1, false)), kept, Chunk("tEXt", "Title\0x"s),
                        Chunk("tIME", "1234567"), Chunk("iTXt", "XML:com.adobe.xmp\0\0\0\0\0<x/>"s),
                        Chunk("hIST", "ab"), Chunk("iDOT", "")}));
    Planned p(PlanPng, Cat({in, B("tail")}));
    EXPECT_EQ(p.Removed(),
              "Exif 86, 文本 19, 修改时间 19, XMP 38, 其他数据块 26, 图像后附加数据 4");
    ExpectCleaned(PlanPng, Cat({in, B("tail")}), Png(kept));
    ExpectCleaned(PlanPng, Png(Cat({Chunk("gAMA", "1234"), PngChunk("eXIf", ExifTiff(2, true))})),
                  Png(Cat({Chunk("gAMA", "1234"), PngChunk("eXIf", MinimalTiff({2, true}))})), 2);
}

TEST(Png, ChunksNameTheirKinds) {
    // Text that cannot be read (unread) may hold anything.
    struct {
        Bytes chunk;
        Private kind;
        bool unread = false;
    } cases[] = {
        {Chunk("iTXt", "Copyright\0\0\0\0\0CC"s), Private::Author},
        {Chunk("tEXt", "Anything\0x"s), Private::Text},
        {PngChunk("eXIf", ExifTiff(0, true)), Private::Device},
        {Chunk("iTXt", "XML:com.adobe.xmp\0\0\0\0\0"s + kXmpGps), Private::Gps},
        {Chunk("iTXt", "XML:com.adobe.xmp\0\1\0\0\0zz"s), Private::Text, true},
        {Chunk("tEXt", "Raw profile type exif\0\nexif\n  74\n"s + Hex(ExifTiff(0, false))),
         Private::Device},
        {Chunk("tEXt", "Author\0 "s), Private::Count},                  // blank: nothing named
        {Chunk("tEXt", std::string(79, 'k') + "\0"s), Private::Count},  // longest keyword, empty
        {Chunk("tEXt", "Raw profile type xmp\0\nxmp\n  80\n"s + Hex(B(kXmpGps))), Private::Gps},
        {Chunk("tEXt", "exif:GPSLatitude\0x"s), Private::Gps},
        {Chunk("tEXt", "exif:Make\0x"s), Private::Device},
        {Chunk("tEXt", "exif:ColorSpace\0x"s), Private::Count},  // nothing personal
        {Chunk("tEXt", "Raw profile type iptc\0\niptc\n  10\n1c025a00055061726973"s),
         Private::Place},
        {Chunk("zTXt", "Raw profile type exif\0\0xyz"s), Private::Text, true},
        // Inflated: a stored block, fixed codes, dynamic codes; a wrong checksum.
        {Chunk("zTXt", "Author\0\0"s + Unhex("7801010300fcff416e6e0210011e")), Private::Author},
        {Chunk("zTXt", "Author\0\0"s + Unhex("7801010300fcff416e6e0210011f")), Private::Text, true},
        {Chunk("zTXt", "Author\0\0"s + Unhex("78da4b4c1c05c40200d8a871ad")), Private::Author},
        {Chunk("iTXt",
               "XML:com.adobe.xmp\0\1\0\0\0"s +
                   Unhex("78dab3294a49b372492d4e2eca2c28c9cccf53a8c8cdc92bb64ab555cf282929b0"
                         "d2d7cf2bd64b4cc94f4ad54bcecfd54fadc84cd337d433d0575748b5720f08f6"
                         "c9cf4bcf2c294d012a37d6317155d7b7030073241a6e")),
         Private::Gps},
        {Chunk("zTXt", "Raw profile type xmp\0\0"s +
                           Unhex("78da1d4db911c3300ceb3d8547a0091294c6d1c952e7bb94193f708e0d88f7"
                                 "f83e9fe33c9b1d98e50c1223825920f4f7b20a766e2eb76abc39b90a184cdc5e"
                                 "6c153ac3f0edfb557cf152cba6338521744b49653be91b972f98dce5a68e1195"
                                 "9688f92eb0b42742f97f3be0131129efc6fa0171c0289b")),
         Private::Gps},
        {Chunk("tIME", "1234567"), Private::Time},
    };
    for (const auto& [chunk, kind, unread] : cases) {
        Planned p(PlanPng, Png(chunk));
        EXPECT_EQ(p.plan.summary.found.kinds, (1u << (int)kind) & 0x3FF) << chunk.data() + 4;
        EXPECT_EQ(p.plan.summary.found.unread, unread) << chunk.data() + 4;
        EXPECT_TRUE(p.plan.RemovesAnything());
    }
}

TEST(Webp, RemovesMetadataClearsFlagsFixesRiffSizeKeepsOrientation) {
    Bytes kept =
        Cat({WebpChunk("ICCP", B("icc")), WebpChunk("ANIM", Bytes(6)), WebpChunk("ALPH", B("al")),
             WebpChunk("ANMF", Cat({Bytes(16), WebpChunk("ALPH", B("a")), kVp8}))});
    Bytes exif = Cat({B("Exif\0\0"s), ExifTiff(1, true)});
    Bytes in = Cat(
        {Webp(Cat({Vp8x(0x3E), kept, WebpChunk("EXIF", exif), kXmp, WebpChunk("ABCD", B("x"))})),
         B("tail")});
    Planned p(PlanWebp, in);
    EXPECT_EQ(p.Removed(), "Exif 88, XMP 88, 其他数据块 10, 图像后附加数据 4");
    EXPECT_EQ(p.plan.summary.found.kinds, 1u << (int)Private::Gps | 1u << (int)Private::Device);
    ExpectCleaned(PlanWebp, in, Webp(Cat({Vp8x(0x32), kept})));
    ExpectCleaned(PlanWebp,
                  Webp(Cat({Vp8x(0x0C), kVp8, kXmp, WebpChunk("EXIF", ExifTiff(2, false))})),
                  Webp(Cat({Vp8x(0x08), kVp8, WebpChunk("EXIF", MinimalTiff({2, false}))})), 2);
    // The simple format: only the image chunk stays, no viewer reads EXIF there.
    ExpectCleaned(PlanWebp, Webp(Cat({kVp8, WebpChunk("EXIF", MinimalTiff({8, false}))})),
                  Webp(kVp8));
}

// A metadata chunk too large to read whole is removed unread, and the
// report says it may hold more.
TEST(Container, ChunksTooLargeToReadAreRemovedUnread) {
    for (size_t n : {16u << 20, (16u << 20) + 1}) {
        const bool unread = n > 16u << 20;
        const Bytes webp = Webp(Cat({kVp8, WebpChunk("XMP ", Bytes(n, ' '))}));
        EXPECT_EQ(Planned(PlanWebp, webp).plan.summary.found.unread, unread) << n;
        const Bytes png = Png(PngChunk("tEXt", Cat({B("Title\0"s), Bytes(n - 6, ' ')})));
        EXPECT_EQ(Planned(PlanPng, png).plan.summary.found.unread, unread) << n;
    }
}

TEST(Container, DamageIsRefused) {
    const Bytes png = Png(Chunk("tEXt", "a\0b"s));
    const Bytes webp = Webp(Cat({Vp8x(0), kVp8}));
    ASSERT_FALSE(Planned(PlanPng, png).refusal.refused());
    const size_t text_at = 8 + 25, riff = webp.size() - 8;  // PNG: after the signature and IHDR
    // A RIFF that ends before the file does: the rest is removed, not refused;
    // one that leaves out the last pad byte is read as decoders read it, and padded.
    EXPECT_EQ(Planned(PlanWebp, Cat({webp, B("xx")})).out, webp);
    const Bytes no_pad = Patched(Bytes(webp.begin(), webp.end() - 1), 4, {(uint8_t)(riff - 1)});
    EXPECT_EQ(Planned(PlanWebp, no_pad).out, webp);
    const std::tuple<const char*, const char*, Bytes> pngs[] = {
        {"removed chunk's CRC off by a bit", "CRC", Png(PngChunk("tEXt", B("a\0b"s), 0x80000000))},
        {"IDAT's CRC off by a bit", "CRC",
         Patched(png, png.size() - 13, {(uint8_t)(png[png.size() - 13] ^ 1)})},
        {"length one past the end", "超出文件末尾",
         Patched(png, text_at + 3, {(uint8_t)(png.size() - text_at - 11)})},
        {"length above 2^31-1", "长度无效", Patched(png, text_at, {0x80})},
        {"unknown critical chunk", "无法识别的关键数据块", Png(Chunk("QUUX", ""))},
        {"type not letters", "类型无效", Png(Chunk("t3Xt", ""))},
        {"no IEND", "IEND", Bytes(png.begin(), png.end() - 12)},
        {"IHDR not first", "IHDR",
         Cat({Bytes(png.begin(), png.begin() + 8), Bytes(png.begin() + text_at, png.end())})},
        {"second IHDR", "IHDR", Png(Bytes(png.begin() + 8, png.begin() + text_at))},
        {"no IDAT", "IDAT", Cat({Bytes(png.begin(), png.end() - 30), Chunk("IEND", "")})},
    };
    for (const auto& [name, says, in] : pngs)
        EXPECT_NE(Planned(PlanPng, in).refusal.text.find(says), std::string::npos) << name;
    const std::tuple<const char*, const char*, Bytes> webps[] = {
        {"RIFF size one past the end", "RIFF 大小", Patched(webp, 4, {(uint8_t)(riff + 2)})},
        {"RIFF size odd", "超出文件末尾", Cat({Patched(webp, 4, {(uint8_t)(riff + 1)}), {0}})},
        {"chunk one past the RIFF end", "超出文件末尾",
         Patched(webp, webp.size() - kVp8.size() + 4, {7})},
        {"RIFF ends inside a chunk header", "超出文件末尾",
         Cat({Patched(webp, 4, {(uint8_t)(riff + 4)}), Bytes(4)})},
        {"VP8X not first", "VP8X", Webp(Cat({kVp8, Vp8x(0)}))},
        {"VP8X too short", "VP8X", Webp(Cat({WebpChunk("VP8X", Bytes(8)), kVp8}))},
        {"no image chunk", "没有图像数据", Webp(Cat({Vp8x(0), WebpChunk("ICCP", B("icc"))}))},
    };
    for (const auto& [name, says, in] : webps)
        EXPECT_NE(Planned(PlanWebp, in).refusal.text.find(says), std::string::npos) << name;
}

}  // namespace
