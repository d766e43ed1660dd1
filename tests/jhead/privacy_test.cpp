// What the report names from each kind of block, at the edges: empty and
// blank values, values and records that end exactly at their block's end
// or one byte past it, damaged structures.
#include <gtest/gtest.h>

#include "jpeg/cleaner.h"
#include "jpeg_samples.h"
#include "jpeg/segment_privacy.h"
#include "report.h"

using namespace jhead;
using namespace jhead_test;
using namespace std::string_literals;

namespace {

constexpr uint32_t Bit(Private p) { return 1u << (int)p; }
constexpr uint32_t Bad(Damage d) { return 1u << (int)d; }
constexpr uint32_t kGps = Bit(Private::Gps), kDevice = Bit(Private::Device),
                   kTime = Bit(Private::Time), kSerial = Bit(Private::Serial),
                   kMaker = Bit(Private::MakerNotes), kAuthor = Bit(Private::Author),
                   kSoftware = Bit(Private::Software), kThumb = Bit(Private::Thumbnail);

Bytes Exif(const Bytes& tiff) { return Cat({B("Exif\0\0"s), tiff}); }
Bytes Xmp(const std::string& text) { return B("http://ns.adobe.com/xap/1.0/\0"s + text); }
Bytes Ascii(const std::string& s) { return B(s + '\0'); }
// A chunk of extended XMP: GUID, full length and offset, then text cut anywhere.
Bytes XmpChunk(const std::string& text) {
    return B("http://ns.adobe.com/xmp/extension/\0"s + std::string(40, '0') + text);
}
const std::string kNs =
    " xmlns:e='http://ns.adobe.com/exif/1.0/' xmlns:dc='http://purl.org/dc/elements/1.1/'"
    " xmlns:mm='http://ns.adobe.com/xap/1.0/mm/' xmlns:rdf='r'";
// An XMP element with n prefix declarations: the reader keeps 64.
Bytes Declarations(int n) {
    std::string s = "<a";
    for (int i = 0; i < n; i++) s += " xmlns:p" + std::to_string(i) + "='u'";
    return Xmp(s + "/>");
}

// An image resource; size says how long it claims to be (its data's
// length unless given), and odd data gets its pad byte.
Bytes Resource(uint16_t id, const Bytes& data, int64_t size = -1) {
    uint32_t n = size < 0 ? (uint32_t)data.size() : (uint32_t)size;
    return Cat({B("8BIM"),
                {(uint8_t)(id >> 8), (uint8_t)id, 0, 0},
                {(uint8_t)(n >> 24), (uint8_t)(n >> 16), (uint8_t)(n >> 8), (uint8_t)n},
                data,
                Bytes(size < 0 ? data.size() % 2 : 0)});
}
Bytes Photoshop(const Bytes& resources) { return Cat({B("Photoshop 3.0\0"s), resources}); }
Bytes Iptc(uint8_t dataset, const std::string& value) {
    return Cat({{0x1C, 2, dataset, 0, (uint8_t)value.size()}, B(value)});
}
Bytes Mpf(int images) {
    return Cat({B("MPF\0"s),
                Tiff({{0xB001, 4, {(uint8_t)images, 0, 0, 0}}, {0xB002, 7, Bytes(16 * images)}})});
}

// A value that ends exactly at the block's end, then one byte past it.
Bytes ExifEndingAt(int past) {
    Bytes t = Tiff({{0x0131, 2, B("GIMP 2.10")}});
    t.resize(t.size() - past);
    return Exif(t);
}

struct Case {
    const char* name;
    uint8_t marker;
    Bytes payload;
    uint32_t kinds = 0;  // found; none unless given
    uint32_t damage = 0;
    size_t n = SIZE_MAX;  // the segment's end, when the bytes after it are not its own
};

TEST(PrivateKinds, EachBlockAtItsEdges) {
    const Bytes lat = Bytes(24, 1);  // three RATIONALs
    const std::vector<Case> cases = {
        {"IFD0 tags", 0xE1,
         Exif(Tiff({{0x010F, 2, Ascii("Canon")},
                    {0x0132, 2, Ascii("2020:01:01 10:00:00")},
                    {0x013B, 2, Ascii("Ann")},
                    {0x0131, 2, Ascii("Fw 1.0")}})),
         kDevice | kTime | kAuthor | kSoftware},
        {"Exif, GPS and IFD1", 0xE1,
         Exif(Tiff({}, {{0xA431, 2, Ascii("123")}, {0x927C, 7, B("maker")}}, {{2, 5, lat}},
                   {{0x0103, 3, {6, 0}}})),
         kSerial | kMaker | kGps | kThumb},
        {"longitude alone, owner, XP author", 0xE1,
         Exif(Tiff({{0x9C9D, 1, B("A\0"s)}}, {{0xA430, 2, Ascii("Bo")}}, {{4, 5, lat}})),
         kGps | kAuthor},
        {"blank, NUL-led and empty values", 0xE1,
         Exif(Tiff({{0x010F, 2, Ascii("    ")},
                    {0x0110, 2, B("\0Model"s)},
                    {0x9C9D, 1, B(" \0 \0"s)},
                    {0x0131, 2, {}}},
                   {}, {{1, 2, Ascii("N")}, {2, 5, {}}}))},
        {"Copyright with only an editor", 0xE1, Exif(Tiff({{0x8298, 2, B(" \0Ed\0"s)}})), kAuthor},
        {"value ends at the block's end", 0xE1, ExifEndingAt(0), kSoftware},
        {"value one byte past it", 0xE1, ExifEndingAt(1), 0, Bad(Damage::Exif)},
        {"directory past the end", 0xE1, Exif(B("II*\0\x08\0\0\0\x05\0"s)), 0, Bad(Damage::Exif)},
        {"entries past the block's end", 0xE1,
         Exif(Tiff({{0x0131, 2, Ascii("ab")}, {0x010F, 2, Ascii("Acm")}})), kSoftware,
         Bad(Damage::Exif), 6 + 8 + 2 + 12},
        {"not TIFF", 0xE1, Exif(B("XX*\0")), 0, Bad(Damage::Exif)},
        {"XMP attributes and elements", 0xE1,
         Xmp("<?xpacket begin=''?><rdf:Description" + kNs +
             " e:GPSLongitude='2,21.0E'><dc:creator><rdf:Seq><rdf:li>Ann</rdf:li></rdf:Seq>"
             "</dc:creator><mm:History><rdf:Seq><rdf:li e:x='saved'/></rdf:Seq></mm:History>"
             "<!-- e:GPSLatitude='1' --></rdf:Description>"),
         kGps | kAuthor | kSoftware},
        {"XMP empty and blank properties", 0xE1,
         Xmp("<rdf:Description" + kNs +
             " e:GPSLatitude=' '><dc:creator><rdf:Seq/></dc:creator><mm:History> </mm:History>"
             "<other:GPSLatitude>1</other:GPSLatitude><dc:rights><rdf:Alt><rdf:li "
             "xml:lang='x-default'/></rdf:Alt></dc:rights></rdf:Description>")},
        {"extended XMP chunk cut inside tags", 0xE1,
         XmpChunk("1'/><rdf:Description" + kNs + " e:GPSLatitude='1'/><dc:cre"), kGps},
        {"XMP cut inside a tag", 0xE1, Xmp("<rdf:Description" + kNs + " e:GPSLatitude='1"), 0,
         Bad(Damage::Xmp)},
        {"64 prefixes", 0xE1, Declarations(64)},
        {"65 prefixes", 0xE1, Declarations(65), 0, Bad(Damage::Xmp)},
        {"IPTC by-line and date", 0xED,
         Photoshop(Resource(0x0404, Cat({Iptc(80, "Ann"), Iptc(55, "20200101")}))),
         kAuthor | kTime},
        {"IPTC copyright notice", 0xED, Photoshop(Resource(0x0404, Iptc(116, "(c) Ann"))), kAuthor},
        {"IPTC blank by-line, digest", 0xED,
         Photoshop(Cat({Resource(0x0404, Iptc(80, "  ")), Resource(0x0425, Bytes(16))}))},
        {"IPTC record one byte past its resource", 0xED,
         Photoshop(Resource(0x0404, Cat({Iptc(80, "Ann"), {0, 0}}), 7)), 0, Bad(Damage::Photoshop)},
        {"Photoshop thumbnail and own data", 0xED,
         Photoshop(Cat({Resource(0x040C, B("th")), Resource(0x03ED, B("r")), {0}})),
         kThumb | kSoftware},
        {"resource one byte past the block", 0xED, Photoshop(Resource(0x03ED, B("r"), 2)), 0,
         Bad(Damage::Photoshop)},
        {"MPF with one image", 0xE2, Mpf(1)},
        {"MPF with a preview", 0xE2, Mpf(2), kThumb},
        {"JFIF thumbnail 1x1", 0xE0, B("JFIF\0\1\1\0\0\1\0\1\1\1abc"s), kThumb},
        {"JFIF thumbnail 0x1", 0xE0, B("JFIF\0\1\1\0\0\1\0\1\0\1abc"s)},
        {"JFXX with data", 0xE0, B("JFXX\0\x10\xFF"s), kThumb},
        {"JFXX without data", 0xE0, B("JFXX\0\x10"s)},
    };
    for (const Case& c : cases) {
        Findings f;
        size_t n = std::min(c.n, c.payload.size());
        FindPrivate(c.marker, ClassifySegment(c.marker, c.payload.data(), n), c.payload.data(), n,
                    &f);
        EXPECT_EQ(f.kinds, c.kinds) << c.name;
        EXPECT_EQ(f.damage, c.damage) << c.name;
    }
}

// The words, in their order, and never a value.
TEST(PrivateKinds, ReportWords) {
    Summary plan;
    plan.AddRemoved("Exif", 100);
    plan.found.kinds = ~0u;
    EXPECT_EQ(
        InfoLine("p.jpg", plan, 900),
        "p.jpg：JPEG，900 字节；含 GPS位置、地点、拍摄设备、拍摄时间、序列号、作者、说明文字、"
        "编辑软件、缩略图（Exif 100 字节）");
    plan.found.kinds = kMaker;
    plan.found.Damaged(Damage::Xmp);
    EXPECT_EQ(CleanedLine("p.jpg", plan, 900, 1),
              "p.jpg：已清理，移除 厂商数据可能含序列号（Exif 100 字节）；XMP "
              "数据结构损坏，按能读出的部分判断；大小 900 字节 → 0 字节");
    plan.found = {};
    EXPECT_EQ(InfoLine("p.jpg", plan, 900),
              "p.jpg：JPEG，900 字节；未发现个人信息，含 Exif 100 字节");
}

}  // namespace
