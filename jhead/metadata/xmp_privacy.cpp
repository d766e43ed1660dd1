// XMP: a small XML reader, just enough for the properties that name
// personal information, as attributes (exif:GPSLatitude="...") or as
// elements whose content holds text or attributes (dc:creator with its
// rdf:Seq). Prefixes are resolved through the packet's xmlns declarations.
// The reader never looks past the text it was given and keeps a bounded
// amount of state whatever the input.
#include <initializer_list>
#include <string_view>
#include <utility>

#include "metadata/readers.h"
#include "platform/utf16.h"

namespace jhead {

namespace {

using Text = std::string_view;

struct Property {
    Text ns;
    Text name;
    Private kind;
};

constexpr Text kExif = "http://ns.adobe.com/exif/1.0/";
constexpr Text kTiff = "http://ns.adobe.com/tiff/1.0/";
constexpr Text kXmp = "http://ns.adobe.com/xap/1.0/";
constexpr Text kMm = "http://ns.adobe.com/xap/1.0/mm/";
constexpr Text kPhotoshop = "http://ns.adobe.com/photoshop/1.0/";
constexpr Text kDc = "http://purl.org/dc/elements/1.1/";
constexpr Text kAux = "http://ns.adobe.com/exif/1.0/aux/";
constexpr Text kExifEx = "http://cipa.jp/exif/1.0/";
constexpr Text kRights = "http://ns.adobe.com/xap/1.0/rights/";
constexpr Text kIptcCore = "http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/";
constexpr Text kIptcExt = "http://iptc.org/std/Iptc4xmpExt/2008-02-29/";
constexpr Text kDji = "http://www.dji.com/drone-dji/1.0/";

constexpr Property kProperties[] = {
    {kExif, "GPSLatitude", Private::Gps},
    {kExif, "GPSLongitude", Private::Gps},
    {kExif, "GPSDestLatitude", Private::Gps},
    {kExif, "GPSDestLongitude", Private::Gps},
    // Drones spell these several ways, one of them misspelt.
    {kDji, "GpsLatitude", Private::Gps},
    {kDji, "GPSLatitude", Private::Gps},
    {kDji, "GpsLongitude", Private::Gps},
    {kDji, "GPSLongitude", Private::Gps},
    {kDji, "GpsLongtitude", Private::Gps},
    {kDji, "GPSLongtitude", Private::Gps},
    {kDji, "Latitude", Private::Gps},
    {kDji, "Longitude", Private::Gps},
    {kPhotoshop, "City", Private::Place},
    {kPhotoshop, "State", Private::Place},
    {kPhotoshop, "Country", Private::Place},
    {kIptcCore, "Location", Private::Place},
    {kIptcCore, "CountryCode", Private::Place},
    {kIptcExt, "LocationCreated", Private::Place},
    {kIptcExt, "LocationShown", Private::Place},
    {kTiff, "Make", Private::Device},
    {kTiff, "Model", Private::Device},
    {kAux, "Lens", Private::Device},
    {kExifEx, "LensMake", Private::Device},
    {kExifEx, "LensModel", Private::Device},
    {kTiff, "DateTime", Private::Time},
    {kExif, "DateTimeOriginal", Private::Time},
    {kExif, "DateTimeDigitized", Private::Time},
    {kXmp, "CreateDate", Private::Time},
    {kXmp, "ModifyDate", Private::Time},
    {kPhotoshop, "DateCreated", Private::Time},
    {kAux, "SerialNumber", Private::Serial},
    {kAux, "LensSerialNumber", Private::Serial},
    {kExifEx, "BodySerialNumber", Private::Serial},
    {kExifEx, "LensSerialNumber", Private::Serial},
    {kExif, "ImageUniqueID", Private::Serial},
    {kExifEx, "ImageUniqueID", Private::Serial},
    {kTiff, "Artist", Private::Author},
    {kTiff, "Copyright", Private::Author},
    {kDc, "creator", Private::Author},
    {kDc, "rights", Private::Author},
    {kAux, "OwnerName", Private::Author},
    {kExifEx, "CameraOwnerName", Private::Author},
    {kRights, "Owner", Private::Author},
    {kPhotoshop, "AuthorsPosition", Private::Author},
    {kPhotoshop, "CaptionWriter", Private::Author},
    {kPhotoshop, "Credit", Private::Author},
    {kDc, "description", Private::Text},
    {kDc, "title", Private::Text},
    {kDc, "subject", Private::Text},
    {kPhotoshop, "Headline", Private::Text},
    {kPhotoshop, "Instructions", Private::Text},
    {kExif, "UserComment", Private::Text},
    {kTiff, "ImageDescription", Private::Text},
    {kTiff, "Software", Private::Software},
    {kXmp, "CreatorTool", Private::Software},
    {kMm, "History", Private::Software},
    {kXmp, "Thumbnails", Private::Thumbnail},
};

constexpr int kKinds = (int)Private::Count;
// Prefix declarations kept; a packet declares a dozen or so.
constexpr size_t kMaxPrefixes = 64;
// Element depth followed; deeper elements count as content of the last.
constexpr size_t kMaxDepth = 64;
constexpr size_t kMaxAttributes = 256;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class XmpReader {
public:
    XmpReader(const char* p, size_t n, Findings* f) : s_(p, n), f_(f) {}

    void Run() {
        size_t i = 0;
        while (i < s_.size()) {
            size_t lt = s_.find('<', i);
            Content(s_.substr(i, lt == Text::npos ? Text::npos : lt - i));
            if (lt == Text::npos) return;
            i = Markup(lt);
            if (i == Text::npos) {
                f_->Damaged(Damage::Xmp);
                return;
            }
        }
    }

private:
    // Text between tags: content of every property element still open.
    void Content(Text t) {
        for (char c : t) {
            if (!IsSpace(c)) {
                Filled();
                return;
            }
        }
    }

    void Filled() {
        for (int k = 0; k < kKinds; k++) {
            if (open_[k] > 0) f_->Add((Private)k);
        }
    }

    // A comment, declaration, processing instruction or tag at lt; returns
    // where the text after it starts, npos when it does not end.
    size_t Markup(size_t lt) {
        Text rest = s_.substr(lt);
        for (auto [open, close] : {std::pair<Text, Text>{"<!--", "-->"},
                                   {"<![CDATA[", "]]>"},
                                   {"<?", "?>"},
                                   {"<!", ">"}}) {
            if (rest.substr(0, open.size()) != open) continue;
            size_t end = s_.find(close, lt + open.size());
            if (end == Text::npos) return end;
            if (open == "<![CDATA[") Content(s_.substr(lt + open.size(), end - lt - open.size()));
            return end + close.size();
        }
        if (rest.substr(0, 2) == "</") {
            size_t end = s_.find('>', lt);
            if (end == Text::npos) return end;
            Close();
            return end + 1;
        }
        return Tag(lt + 1);
    }

    void Close() {
        if (depth_ == 0) return;
        depth_--;
        if (depth_ < kMaxDepth && kind_[depth_] >= 0) open_[kind_[depth_]]--;
    }

    // Name of an element or attribute: up to a space, '=', '/' or '>'.
    size_t Name(size_t i) const {
        while (i < s_.size() && !IsSpace(s_[i]) && s_[i] != '=' && s_[i] != '/' && s_[i] != '>')
            i++;
        return i;
    }

    size_t SkipSpace(size_t i) const {
        while (i < s_.size() && IsSpace(s_[i])) i++;
        return i;
    }

    int KindOf(Text qname) const {
        size_t colon = qname.find(':');
        if (colon == Text::npos) return -1;
        Text prefix = qname.substr(0, colon), local = qname.substr(colon + 1);
        Text ns;
        for (size_t k = prefixes_; k-- > 0;) {
            if (prefix_[k] == prefix) {
                ns = uri_[k];
                break;
            }
        }
        for (const Property& p : kProperties) {
            if (p.ns == ns && p.name == local) return (int)p.kind;
        }
        return -1;
    }

    // Attributes that are structure, not content.
    static bool IsStructure(Text name) {
        return name.substr(0, 5) == "xmlns" || name.substr(0, 4) == "rdf:" ||
               name.substr(0, 4) == "xml:" || name.substr(0, 2) == "x:";
    }

    // A start tag from its name at i.
    size_t Tag(size_t i) {
        size_t name_end = Name(i);
        Text element = s_.substr(i, name_end - i);
        struct Attribute {
            Text name, value;
        };
        Attribute attributes[kMaxAttributes];
        size_t count = 0;
        i = name_end;
        bool empty = false;
        for (;;) {
            i = SkipSpace(i);
            if (i >= s_.size()) return Text::npos;
            if (s_[i] == '>') break;
            if (s_[i] == '/') {
                empty = true;
                i++;
                continue;
            }
            size_t end = Name(i);
            Text name = s_.substr(i, end - i);
            if (name.empty()) return Text::npos;
            i = SkipSpace(end);
            if (i >= s_.size() || s_[i] != '=') return Text::npos;
            i = SkipSpace(i + 1);
            if (i >= s_.size() || (s_[i] != '"' && s_[i] != '\'')) return Text::npos;
            size_t close = s_.find(s_[i], i + 1);
            if (close == Text::npos) return close;
            Text value = s_.substr(i + 1, close - i - 1);
            i = close + 1;
            // Past the bounds, the rest is not read, and the block says so.
            if (name.substr(0, 6) == "xmlns:") {
                if (prefixes_ == kMaxPrefixes) f_->Damaged(Damage::Xmp);
                if (prefixes_ < kMaxPrefixes) {
                    prefix_[prefixes_] = name.substr(6);
                    uri_[prefixes_++] = value;
                }
            }
            if (count == kMaxAttributes) f_->Damaged(Damage::Xmp);
            if (count < kMaxAttributes) attributes[count++] = {name, value};
        }
        // Declarations on this tag apply to its own attributes and name.
        for (size_t k = 0; k < count; k++) {
            const Attribute& a = attributes[k];
            if (IsStructure(a.name) || !HasText((const uint8_t*)a.value.data(), a.value.size()))
                continue;
            int kind = KindOf(a.name);
            if (kind >= 0) f_->Add((Private)kind);
            Filled();  // a structure's field fills the properties around it
        }
        int kind = KindOf(element);
        if (!empty) {
            if (depth_ < kMaxDepth) {
                kind_[depth_] = kind;
                if (kind >= 0) open_[kind]++;
            }
            depth_++;
        }
        return i + 1;
    }

    Text s_;
    Findings* f_;
    Text prefix_[kMaxPrefixes];
    Text uri_[kMaxPrefixes];
    size_t prefixes_ = 0;
    int kind_[kMaxDepth] = {};
    size_t depth_ = 0;
    int open_[kKinds] = {};
};

}  // namespace

// A packet in UTF-16 starts with its byte order mark or with "<" as one
// 16-bit unit; 0 when it is not UTF-16, 1 little-endian, 2 big-endian.
static int Utf16Order(const uint8_t* p, size_t n) {
    if (n < 2) return 0;
    if ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == '<' && p[1] == 0)) return 1;
    if ((p[0] == 0xFE && p[1] == 0xFF) || (p[0] == 0 && p[1] == '<')) return 2;
    return 0;
}

void ScanXmp(const char* text, size_t n, Findings* f) {
    const uint8_t* p = (const uint8_t*)text;
    int order = Utf16Order(p, n);
    if (order == 0) {
        XmpReader(text, n, f).Run();
        return;
    }
    std::u16string units(n / 2, u'\0');
    for (size_t i = 0; i < units.size(); i++) {
        units[i] = order == 1 ? (char16_t)(p[2 * i] | p[2 * i + 1] << 8)
                              : (char16_t)(p[2 * i] << 8 | p[2 * i + 1]);
    }
    std::string utf8 = Utf16ToUtf8(units);
    XmpReader(utf8.data(), utf8.size(), f).Run();
}

bool PropertyKind(std::string_view name, Private* kind) {
    for (const Property& p : kProperties) {
        if (p.name != name) continue;
        *kind = p.kind;
        return true;
    }
    return false;
}

}  // namespace jhead
