// HEIF and AVIF cleaned in memory, in the layouts the encoders at hand do
// not write (media data before the meta box, 64-bit sizes, every location
// table version and field size, metadata in idat, pictures in several
// extents around the metadata), and the structures that must be refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "clean_file.h"
#include "heif_items.h"
#include "isobmff/isobmff_cleaner.h"
#include "jpeg_samples.h"
#include "picture_kind.h"
#include "platform/file_system.h"
#include "planned.h"

using namespace jhead;
using namespace jhead_test;

namespace {

Bytes Box(const char* type, const Bytes& payload, bool large = false) {
    if (large) return Cat({Be(1, 4), B(type), Be(16 + payload.size(), 8), payload});
    return Cat({Be(8 + payload.size(), 4), B(type), payload});
}
Bytes Full(const char* type, int version, const Bytes& payload) {
    return Box(type, Cat({Be((uint64_t)version << 24, 4), payload}));
}

struct Layout {
    int iloc_version = 1, offset_size = 4, length_size = 4, base_size = 0, index_size = 0;
    int id_size = 2;  // infe version 3 and iref version 1 when 4
    bool mdat_first = false, large_mdat = false, mdat_to_end = false, exif_in_idat = false;
    bool exif_emptied = false;  // as another cleaner leaves it: a location of length 0
    bool video_box = false;     // a phone's motion-photo video at the end
    bool two_mdats = false;     // the thumbnail in a media data box of its own
    bool xmp_deflated = false;
    bool exif_large = false;  // past what is read for the report
    uint32_t exif_skip = 6;   // the Exif item's offset to its TIFF header
    const char* brand = "heic";
    // Faults a file may hold.
    bool xmp_shares_picture = false, loop = false, missing_item = false, grid_of_exif = false;
    bool exif_huge = false;       // a length past 2^64 from its offset
    bool exif_past_idat = false;  // in idat, one byte longer than idat
    uint32_t primary = 1;
};

const Bytes kPic1 = B("PICTURE-PART-ONE"), kPic2 = B("PICTURE-PART-TWO"), kThumb = B("THUMB");
const Bytes kGrid = B("GRID-IN-IDAT");
const Bytes kExif =
    Cat({Be(6, 4), B(std::string("Exif\0\0", 6)), Tiff({}, {}, {{2, 5, Bytes(24, 1)}})});
const Bytes kXmp =
    B("<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
      "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'><rdf:Description "
      "xmlns:dc='http://purl.org/dc/elements/1.1/'><dc:creator><rdf:Seq><rdf:li>Ann</rdf:li>"
      "</rdf:Seq></dc:creator></rdf:Description></rdf:RDF></x:xmpmeta>");

// kXmp as zlib compresses it.
const Bytes kXmpDeflated =
    B(Unhex("78da5d8f4b0e82301086af62e282158ce08a06484c8807d013d4765492be6c6b5a6f6f81861877df"
            "bcbec9df4512a591e8e92e4aa11c897d41b9be21493cb7a1183acbefe4329ef346aafae2e9bd2100"
            "21842a1c2b6d1f50b76d0b87069aa64c1ba5fb284f63a9dc3e0b4674cc4ec64f5a6511679bc7bcad"
            "582c9c010a94a8bc83baaae7ef9c1166917a6d57d1155f2b88693829d541e6159629fcdec0dff7dc"
            "4981126df1872f77f15b29"));
const Bytes& Xmp(const Layout& l) { return l.xmp_deflated ? kXmpDeflated : kXmp; }
const Bytes kLargeExif = Cat({kExif, Bytes(4 << 20, 0)});
Bytes Exif(const Layout& l) {
    Bytes e = l.exif_large ? kLargeExif : kExif;
    e[3] = (uint8_t)l.exif_skip;
    return e;
}

Bytes Ref(const char* type, uint32_t from, std::vector<uint32_t> to, int id_size) {
    Bytes p = Cat({Be(from, id_size), Be(to.size(), 2)});
    for (uint32_t t : to) p = Cat({p, Be(t, id_size)});
    return Box(type, p);
}

Bytes Infe(uint32_t id, const char* type, int id_size, const std::string& content = "") {
    Bytes p = Cat({Be(id, id_size), Be(0, 2), B(type), {0}});
    if (!content.empty()) p = Cat({p, B(content), {0}});
    return Full("infe", id_size == 2 ? 2 : 3, p);
}

// One location: item, method, and extents (offset, length) from base.
Bytes Loc(const Layout& l, uint32_t id, int method, uint64_t base,
          const std::vector<std::pair<uint64_t, uint64_t>>& extents) {
    Bytes p = Be(id, l.iloc_version < 2 ? 2 : 4);
    if (l.iloc_version >= 1) p = Cat({p, Be(method, 2)});
    p = Cat({p, Be(0, 2), Be(base, l.base_size), Be(extents.size(), 2)});
    for (auto [off, len] : extents) {
        p = Cat({p, Be(1, l.index_size), Be(off - base, l.offset_size), Be(len, l.length_size)});
    }
    return p;
}

// The meta box with the media data's payload at mdat.
Bytes Meta(const Layout& l, uint64_t mdat) {
    const int n = l.id_size;
    Bytes iinf = Cat(
        {Infe(1, "hvc1", n), Infe(2, "hvc1", n), Infe(3, "Exif", n),
         Infe(4, "mime", n, std::string("application/rdf+xml\0deflate", l.xmp_deflated ? 27 : 19)),
         Infe(5, "grid", n)});
    std::vector<uint32_t> grid_tiles = {1};
    if (l.grid_of_exif) grid_tiles.push_back(3);
    Bytes iref = Cat({Ref("thmb", 2, {1}, n), Ref("cdsc", 3, {l.missing_item ? 9u : 1u}, n),
                      Ref("cdsc", 4, {1}, n), Ref("dimg", 5, grid_tiles, n)});
    if (l.loop) iref = Cat({iref, Ref("dimg", 1, {5}, n)});
    const uint64_t e =
        l.exif_in_idat || l.exif_emptied ? 0 : Exif(l).size();  // between the picture's parts
    const uint64_t pic2 = mdat + kPic1.size() + e, xmp = pic2 + kPic2.size();
    const uint64_t base = l.base_size ? mdat : 0;
    Bytes iloc =
        Cat({Loc(l, 1, 0, base, {{mdat, kPic1.size()}, {pic2, kPic2.size()}}),
             Loc(l, 2, 0, base, {{xmp + Xmp(l).size() + (l.two_mdats ? 8 : 0), kThumb.size()}}),
             l.exif_in_idat
                 ? Loc(l, 3, 1, 0, {{0, kExif.size() + (l.exif_past_idat ? kGrid.size() + 1 : 0)}})
                 : Loc(l, 3, 0, base, {{mdat + kPic1.size(), l.exif_huge ? UINT64_MAX : e}}),
             Loc(l, 4, 0, base, {{l.xmp_shares_picture ? mdat : xmp, Xmp(l).size()}}),
             Loc(l, 5, 1, 0, {{l.exif_in_idat ? kExif.size() : 0, kGrid.size()}})});
    const int sizes = l.offset_size << 12 | l.length_size << 8 | l.base_size << 4 | l.index_size;
    return Full("meta", 0,
                Cat({Full("hdlr", 0, Cat({Be(0, 4), B("pict"), Bytes(13, 0)})),
                     Full("pitm", n == 2 ? 0 : 1, Be(l.primary, n)),
                     Full("iinf", 0, Cat({Be(5, 2), iinf})), Full("iref", n == 2 ? 0 : 1, iref),
                     Box("idat", l.exif_in_idat ? Cat({kExif, kGrid}) : kGrid),
                     Full("iloc", l.iloc_version,
                          Cat({Be(sizes, 2), Be(5, l.iloc_version < 2 ? 2 : 4), iloc}))}));
}

Bytes Heif(const Layout& l) {
    const Bytes ftyp = Box("ftyp", Cat({B(l.brand), Be(0, 4), B(l.brand),
                                        B(l.brand == std::string("isom") ? "mp42" : "mif1")}));
    const Bytes data = Cat({kPic1, l.exif_in_idat || l.exif_emptied ? Bytes() : Exif(l), kPic2,
                            Xmp(l), l.two_mdats ? Bytes() : kThumb});
    Bytes mdat = Box("mdat", data, l.large_mdat);
    if (l.mdat_to_end) std::fill(mdat.begin(), mdat.begin() + 4, 0);
    const uint64_t header = l.large_mdat ? 16 : 8;
    const uint64_t meta_size = Meta(l, 0).size();
    const Bytes tail = Cat({l.two_mdats ? Box("mdat", kThumb) : Bytes(),
                            l.video_box ? Box("mpvd", B("Ann's clip")) : Bytes()});
    if (l.mdat_first) return Cat({ftyp, mdat, Meta(l, ftyp.size() + header), tail});
    return Cat({ftyp, Meta(l, ftyp.size() + meta_size + header), mdat, tail});
}

bool Holds(const Bytes& b, const Bytes& part) {
    return std::search(b.begin(), b.end(), part.begin(), part.end()) != b.end();
}

TEST(Heif, EveryLayoutLosesItsMetadataAndKeepsEachItemsBytes) {
    const std::pair<const char*, Layout> kLayouts[] = {
        {"iloc v1, 32-bit offsets", {}},
        {"iloc v0", {.iloc_version = 0}},
        {"iloc v1, base offsets, 64-bit lengths",
         {.length_size = 8, .base_size = 4, .index_size = 4}},
        {"iloc v2, 32-bit ids, 64-bit everything",
         {.iloc_version = 2, .offset_size = 8, .length_size = 8, .base_size = 8, .id_size = 4}},
        {"mdat before meta, 64-bit size", {.mdat_first = true, .large_mdat = true}},
        {"mdat to the end of the file", {.mdat_to_end = true}},
        {"Exif in idat before a kept item", {.exif_in_idat = true}},
        {"AVIF", {.brand = "avif"}},
        {"HEIF", {.brand = "mif1"}},
        {"Exif emptied by another tool", {.exif_emptied = true}},
        {"a motion-photo video after meta", {.mdat_first = true, .video_box = true}},
        {"two media data boxes", {.two_mdats = true}},
        {"XMP compressed", {.xmp_deflated = true}},
        {"Exif too large to read", {.exif_large = true}},
        {"Exif offset one byte past the item", {.exif_skip = (uint32_t)kExif.size() - 3}},
    };
    for (const auto& [name, layout] : kLayouts) {
        const Bytes in = Heif(layout);
        Planned c(PlanHeif, in);
        ASSERT_FALSE(c.refusal.refused()) << name << ": " << c.refusal.text;
        const std::string brand = layout.brand;
        EXPECT_STREQ(c.plan.summary.kind, brand == "avif"   ? "AVIF"
                                          : brand == "heic" ? "HEIC"
                                                            : "HEIF");
        EXPECT_EQ(c.plan.summary.found.Has(Private::Gps),
                  !layout.exif_emptied && !layout.exif_large && layout.exif_skip == 6)
            << name;
        EXPECT_EQ(c.plan.summary.found.unread, layout.exif_large) << name;
        EXPECT_TRUE(c.plan.summary.found.Has(Private::Author)) << name;
        // The picture, its thumbnail and the grid (a version-0 table has no
        // idat: there the grid's extent reads the file's first bytes), without
        // the Exif and XMP items or their references.
        const Bytes grid = layout.iloc_version ? kGrid : Bytes(in.begin(), in.begin() + 12);
        ItemBytes after;
        ASSERT_TRUE(ReadItems(c.out.data(), c.out.size(), &after)) << name;
        EXPECT_EQ(after, (ItemBytes{{1, Cat({kPic1, kPic2})}, {2, kThumb}, {5, grid}})) << name;
        EXPECT_FALSE(Holds(c.out, kExif) || Holds(c.out, B("Ann")) || Holds(c.out, B("cdsc")))
            << name;
    }
}

TEST(Heif, DamagedOrTangledStructuresAreRefused) {
    const Bytes plain = Heif({}), large = Heif({.large_mdat = true});
    // Where the last box's data starts, after its 64-bit size.
    const size_t data =
        large.size() - kPic1.size() - kExif.size() - kPic2.size() - kXmp.size() - kThumb.size();
    const std::tuple<const char*, Bytes> kCases[] = {
        {"truncated", Bytes(plain.begin(), plain.end() - 1)},
        // The meta box's size, right after a 28-byte ftyp.
        {"meta box longer than it is", Patched(plain, 28 + 3, {(uint8_t)(plain[28 + 3] + 200)})},
        {"64-bit size that overflows", Patched(large, data - 8, Bytes(8, 0xFF))},
        {"XMP shares the picture's bytes", Heif({.xmp_shares_picture = true})},
        {"references in a loop", Heif({.loop = true})},
        {"reference to no item", Heif({.missing_item = true})},
        {"grid built from the Exif item", Heif({.grid_of_exif = true})},
        {"primary item is the Exif", Heif({.primary = 3})},
        {"offsets of 2 bytes", Heif({.offset_size = 2})},
        {"Exif length past 2^64", Heif({.length_size = 8, .exif_huge = true})},
        {"Exif in idat running past its end", Heif({.exif_in_idat = true, .exif_past_idat = true})},
        {"a video's brands", Heif({.brand = "isom"})},
        {"a video's track", Cat({plain, Box("moov", B("trak"))})},
    };
    for (const auto& [name, in] : kCases) {
        Planned c(PlanHeif, in);
        EXPECT_TRUE(c.refusal.refused()) << name;
    }
    // A plan that would take a kept item's bytes from the wrong place fails
    // the check, and the picture is left alone.
    SetHeifPlanHook([](EditPlan* plan) { plan->pieces.back().offset--; });
    Planned moved(PlanHeif, Heif({}));
    SetHeifPlanHook(nullptr);
    EXPECT_EQ(moved.refusal.text, "清理结果未通过自检");
    EXPECT_TRUE(moved.out.empty());
    // A video's brands make it no picture at all.
    const Bytes video = Heif({.brand = "isom"});
    EXPECT_EQ(SniffKind(video.data(), kSniffBytes), PictureKind::Unknown);
}

int g_reads_left;  // reads that succeed before one fails

// A disk that fails one read, wherever it falls in the reading of the
// structure, the metadata or the kept bytes: the picture stays as it was,
// and the error is said as what it is.
TEST(Heif, AFailedReadAnywhereLeavesThePictureAndIsSaid) {
    TempFolder t;
    const std::string p = t.Path("p.heic");
    const Bytes in = Heif({});
    fs::SetFaultHook([](fs::Op op) {
        return op == fs::Op::Read && g_reads_left-- == 0 ? fs::Err::IoError : fs::Err::None;
    });
    // Read n fails, until n is past the last read.
    FileResult r;
    for (int n = 0; WriteFile(p, in), g_reads_left = n, r = CleanFile(p), g_reads_left < 0; n++) {
        EXPECT_TRUE(r.outcome == Outcome::Failed && r.reason == Reason::Other) << n << r.line;
        EXPECT_EQ(ReadFile(p), in) << n;
    }
    EXPECT_EQ(r.outcome, Outcome::Cleaned) << r.line;
    fs::SetFaultHook(nullptr);
}

}  // namespace
