// What the report names from each kind of block, at the edges: empty and
// blank values, values and records that end exactly at their block's end
// or one byte past it, damaged structures.
#include <gtest/gtest.h>

#include "jpeg/segment_privacy.h"
#include "planned.h"
#include "report.h"

using namespace jhead;
using namespace jhead_test;
using namespace std::string_literals;

namespace {

constexpr uint32_t Bit(Private p) { return 1u << (int)p; }
constexpr uint32_t Bad(Damage d) { return 1u << (int)d; }
constexpr uint32_t kUnread = 1u << 31;  // beside the damage: data removed unread
constexpr uint32_t kGps = Bit(Private::Gps), kDevice = Bit(Private::Device),
                   kTime = Bit(Private::Time), kSerial = Bit(Private::Serial),
                   kMaker = Bit(Private::MakerNotes), kAuthor = Bit(Private::Author),
                   kSoftware = Bit(Private::Software), kThumb = Bit(Private::Thumbnail),
                   kPlace = Bit(Private::Place), kText = Bit(Private::Text);

Bytes Exif(const Bytes& tiff) { return Cat({B("Exif\0\0"s), tiff}); }
Bytes Xmp(const std::string& text) { return B("http://ns.adobe.com/xap/1.0/\0"s + text); }
Bytes Ascii(const std::string& s) { return B(s + '\0'); }
const std::string kNs =
    " xmlns:e='http://ns.adobe.com/exif/1.0/' xmlns:dc='http://purl.org/dc/elements/1.1/'"
    " xmlns:mm='http://ns.adobe.com/xap/1.0/mm/' xmlns:rdf='r' xmlns:d='http://www.dji.com/"
    "drone-dji/1.0/'";
// An XMP element with n prefix declarations: the reader keeps 64.
Bytes Declarations(int n) {
    std::string s = "<a";
    for (int i = 0; i < n; i++) s += " xmlns:p" + std::to_string(i) + "='u'";
    return Xmp(s + "/>");
}

// An image resource; size says how long it claims to be (its data's
// length unless given), and odd data gets its pad byte.
Bytes Resource(uint16_t id, const Bytes& data, int64_t size = -1) {
    return Cat({B("8BIM"), Be(id, 2), Bytes(2), Be(size < 0 ? data.size() : (uint64_t)size, 4),
                data, Bytes(size < 0 ? data.size() % 2 : 0)});
}
Bytes Photoshop(const Bytes& resources) { return Cat({B("Photoshop 3.0\0"s), resources}); }
Bytes Iptc(uint8_t dataset, const std::string& value) {
    return Cat({{0x1C, 2, dataset, 0, (uint8_t)value.size()}, B(value)});
}
Bytes Utf16(const std::string& s, bool be) {
    Bytes out;
    for (char c : s) out = Cat({out, be ? Bytes{0, (uint8_t)c} : Bytes{(uint8_t)c, 0}});
    return out;
}
// A Ducky record: tag, size, then a count and UTF-16 text.
Bytes DuckyText(uint8_t tag, const std::string& text, int extra = 0) {
    Bytes body = Cat({{0, 0, 0, (uint8_t)text.size()}, Utf16(text, true)});
    return Cat({{0, tag, 0, (uint8_t)(body.size() + extra)}, body});
}
// A record of zeros but for the bytes given.
Bytes Filled(size_t size, std::initializer_list<std::pair<size_t, uint8_t>> bytes) {
    Bytes r(size);
    for (auto [at, b] : bytes) r[at] = b;
    return r;
}
// A thermal camera's file with one record (size: as its entry claims, when
// given), and a piece of it in a segment.
Bytes Fff(uint16_t type, const Bytes& record, int64_t size = -1) {
    uint64_t n = size < 0 ? record.size() : (uint64_t)size;
    Bytes header = Cat({B("FFF\0"s), Bytes(16), Be(100, 4), Be(0x40, 4), Be(1, 4), Bytes(0x20)});
    return Cat({header, {0, (uint8_t)type}, Bytes(10), Be(0x60, 4), Be(n, 4), Bytes(12), record});
}
Bytes FlirPiece(int index, const Bytes& fff, size_t from = 0, size_t to = SIZE_MAX) {
    Bytes piece(fff.begin() + (long)from, fff.begin() + (long)std::min(to, fff.size()));
    return Seg(0xE1, Cat({B("FLIR\0\1"s), {(uint8_t)index, 1}, piece}));
}
const Bytes kFlirGps = Fff(0x2B, Filled(0x20, {{0, 1}, {0x17, 0x40}}));
// A chunk of an extended XMP packet: the packet's GUID letter and size, the
// chunk's offset.
Bytes XmpChunk(char guid, uint32_t size, uint8_t offset, const std::string& text) {
    return Seg(0xE1, Cat({B("http://ns.adobe.com/xmp/extension/\0"s), B(std::string(32, guid)),
                          Be(size, 4), Be(offset, 4), B(text)}));
}
const std::string kHead = "<a xmlns:e='http://ns.adobe.com/exif/1.0/'><b ",
                  kTail = "e:GPSLatitude='1'/></a>";
const uint32_t kFull = (uint32_t)(kHead.size() + kTail.size());
const uint8_t kCut = (uint8_t)kHead.size();
Bytes Mpf(int images) {
    return Cat({B("MPF\0"s),
                Tiff({{0xB001, 4, {(uint8_t)images, 0, 0, 0}}, {0xB002, 7, Bytes(16 * images)}})});
}

struct Case {
    const char* name;
    uint8_t marker;  // 0: payload is whole segments
    Bytes payload;
    uint32_t kinds = 0;  // found; none unless given
    uint32_t damage = 0;
};

TEST(PrivateKinds, EachBlockAtItsEdges) {
    const Bytes lat = Bytes(24, 1);                          // three RATIONALs
    const Bytes gimp = Tiff({{0x0131, 2, B("GIMP 2.10")}});  // its value last
    const Bytes two = Exif(Tiff({{0x0131, 2, Ascii("ab")}, {0x010F, 2, Ascii("Acm")}}));
    const std::vector<Case> cases = {
        {"GPS pointer in the Exif directory, destination alone", 0xE1,
         Exif(Tiff({}, {{0x8825, 4, Bytes(4)}}, {{0x16, 2, Ascii("1")}})), kGps},
        {"zero and empty coordinates, void status", 0xE1,
         Exif(Tiff({}, {},
                   {{9, 2, Ascii("V")},
                    {2, 5, Cat({Bytes(20), {1, 0, 0, 0}})},
                    {4, 5, Bytes(24)},
                    {0x14, 2, Ascii("0.0")}})),
         0},
        {"least coordinate: only the seconds", 0xE1,
         Exif(Tiff({}, {}, {{2, 5, Cat({Bytes(16), {1, 0, 0, 0, 1, 0, 0, 0}})}})), kGps},
        {"IFD1 without an image, thumbnail of length 0", 0xE1,
         Exif(Tiff({{0x0112, 3, {1, 0}}}, {}, {},
                   {{0x0110, 2, Ascii("X1")},
                    {0x0201, 4, {9, 0, 0, 0}},
                    {0x0202, 4, Bytes(4)},
                    {0x0117, 4, Bytes(4)}})),
         kDevice},
        {"user comment of blanks", 0xE1, Exif(Tiff({}, {{0x9286, 7, B("ASCII\0\0\0  "s)}}))},
        {"longitude alone", 0xE1, Exif(Tiff({}, {}, {{4, 5, lat}})), kGps},
        {"blank, NUL-led and empty values", 0xE1,
         Exif(Tiff({{0x010F, 2, Ascii("    ")},
                    {0x0110, 2, B("\0Model"s)},
                    {0x9C9D, 1, B(" \0 \0"s)},
                    {0x0131, 2, {}}},
                   {}, {{1, 2, Ascii("N")}, {2, 5, {}}}))},
        {"Copyright with only an editor", 0xE1, Exif(Tiff({{0x8298, 2, B(" \0Ed\0"s)}})), kAuthor},
        {"value ends at the block's end", 0xE1, Exif(gimp), kSoftware},
        {"value one byte past it", 0xE1, Exif(Bytes(gimp.begin(), gimp.end() - 1)), 0,
         Bad(Damage::Exif)},
        {"directory past the end", 0xE1, Exif(B("II*\0\x08\0\0\0\x05\0"s)), 0, Bad(Damage::Exif)},
        // A table holding the whole block first leaves the rest of it in the
        // parser's buffer, where a read past the segment's end would find it.
        {"entries past the block's end", 0,
         Cat({Seg(0xDB, two), Seg(0xE1, Bytes(two.begin(), two.begin() + 6 + 8 + 2 + 12))}),
         kSoftware, Bad(Damage::Exif)},
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
        {"XMP drone", 0xE1, Xmp("<rdf:Description" + kNs + " d:GpsLatitude='+1.5'/>"), kGps},
        {"XMP destination in UTF-16, little-endian", 0xE1,
         Cat({B("http://ns.adobe.com/xap/1.0/\0"s),
              Utf16("<a" + kNs + " e:GPSDestLatitude='1,2N'/>", false)}),
         kGps},
        {"extended XMP chunk cut inside tags, read alone", 0,
         XmpChunk('D', ExtendedXmp::kMaxSize + 1, 0,
                  "1'/><rdf:Description" + kNs + " e:GPSLatitude='1'/><dc:cre"),
         kGps},
        {"XMP cut inside a tag", 0xE1, Xmp("<rdf:Description" + kNs + " e:GPSLatitude='1"), 0,
         Bad(Damage::Xmp)},
        {"64 prefixes", 0xE1, Declarations(64)},
        {"65 prefixes", 0xE1, Declarations(65), 0, Bad(Damage::Xmp)},
        {"IPTC city and date", 0xED,
         Photoshop(Resource(0x0404, Cat({Iptc(90, "Paris"), Iptc(55, "20200101")}))),
         kPlace | kTime},
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
        {"Ducky blank comment, end tag", 0xEC,
         Cat({B("Ducky"), DuckyText(2, " "), Bytes(4), DuckyText(3, "(c)")})},
        {"Ducky record one byte past its end", 0xEC, Cat({B("Ducky"), DuckyText(2, "A", 1)}), 0,
         kUnread},
        {"camera's picture info, owner's text", 0xEC,
         B("Maker\0 1\r\n[picture info]\r\nTimeDate=9\r\n[camera info]\r\nType=X\r\n"
           "Serial#=#1\r\n[user]\xFF\0 Ann\r\n[end]"s),
         kTime | kDevice | kSerial | kText},
        {"picture info heading at byte 64", 0xEC,
         B(std::string(64, ' ') + "[picture info]\nType=X"), kDevice},
        {"heading at byte 65: another maker's data", 0xEC,
         B(std::string(65, ' ') + "[picture info]\nType=X"), 0, kUnread},
        {"picture info blank, owner's part padded", 0xEC,
         B("[picture info]\r\nTimeDate=\r\nType= \r\n[user]\xFF\0 \r\n[file info]\0ab"s)},
        {"FLIR camera model, serial and time", 0,
         FlirPiece(0, Fff(0x20, Filled(0x400, {{0xD4, 'X'}, {0x104, '1'}, {0x384, 1}}))),
         kDevice | kSerial | kTime},
        {"FLIR position", 0, FlirPiece(0, kFlirGps), kGps},
        {"FLIR zero position", 0, FlirPiece(0, Fff(0x2B, Filled(0x20, {{0, 1}})))},
        {"FLIR position not valid", 0, FlirPiece(0, Fff(0x2B, Filled(0x20, {{0x17, 0x40}})))},
        {"FLIR record one byte past the file", 0,
         FlirPiece(0, Fff(0x2B, Filled(0x20, {{0, 1}, {0x17, 0x40}}), 0x21)), 0, kUnread},
        {"FLIR in two pieces", 0,
         Cat({FlirPiece(0, kFlirGps, 0, 0x70), FlirPiece(1, kFlirGps, 0x70)}), kGps},
        {"FLIR pieces out of order", 0,
         Cat({FlirPiece(1, kFlirGps, 0x70), FlirPiece(0, kFlirGps, 0, 0x70)}), 0, kUnread},
        {"extended XMP chunks out of order", 0,
         Cat({XmpChunk('A', kFull, kCut, kTail), XmpChunk('A', kFull, 0, kHead)}), kGps},
        {"extended XMP chunk of another packet", 0,
         Cat({XmpChunk('A', kFull, 0, kHead), XmpChunk('B', kFull, kCut, kTail)}), 0,
         Bad(Damage::Xmp)},
        {"extended XMP past the bound, chunk past the packet", 0,
         Cat({XmpChunk('A', ExtendedXmp::kMaxSize + 1, 0, kHead), XmpChunk('A', kFull, kCut, kTail),
              XmpChunk('C', kFull, 0, kHead), XmpChunk('C', kFull, (uint8_t)kFull, kTail)})},
        {"comment", 0xFE, B("Ann, 48.8N"), kText},
        {"blank comment", 0xFE, B(" \0 ")},
        {"unknown APP segment", 0xE3, B("Meta"), 0, kUnread},
        {"empty APP segment", 0xEF, {}},
        {"JFXX with data", 0xE0, B("JFXX\0\x10\xFF"s), kThumb},
        {"JFXX without data", 0xE0, B("JFXX\0\x10"s)},
    };
    for (const Case& c : cases) {
        const Bytes segments = c.marker ? Seg(c.marker, c.payload) : c.payload;
        const Clean jpeg(Cat({{0xFF, 0xD8}, segments, FakeTables(), FakeScans()}));
        const Findings& f = jpeg.plan.found;
        EXPECT_EQ(f.kinds, c.kinds) << c.name;
        EXPECT_EQ(f.damage | (f.unread ? kUnread : 0), c.damage) << c.name;
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
    plan.found.unread = true;
    plan.orientation = 2;
    EXPECT_EQ(InfoLine("p.jpg", plan, 900),
              "p.jpg：JPEG，900 字节；未发现个人信息，含 Exif 100 字节；保留方向信息（2）；"
              "部分数据的格式未知，"
              "内容未读取，可能还含其他个人信息");
}

}  // namespace
