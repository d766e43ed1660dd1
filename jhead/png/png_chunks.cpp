#include "png/png_chunks.h"

#include <cstring>
#include <string>
#include <vector>

#include "container/inflate.h"
#include "metadata/readers.h"

namespace jhead {

static bool Is(const uint8_t type[4], const char* name) { return memcmp(type, name, 4) == 0; }

PngRole RoleOf(const uint8_t type[4]) {
    for (int i = 0; i < 4; i++) {
        const uint8_t c = type[i] | 0x20;
        if (c < 'a' || c > 'z') return PngRole::Invalid;
    }
    // Critical chunks have an upper-case first letter.
    if (!(type[0] & 0x20)) {
        for (const char* known : {"IHDR", "PLTE", "IDAT", "IEND"}) {
            if (Is(type, known)) return PngRole::Keep;
        }
        return PngRole::UnknownCritical;
    }
    // Colour, transparency, background, pixel size and animation: a
    // decoder or viewer shows the picture differently without them.
    // mDCv and cLLi took upper-case last letters when they were
    // standardised; files carry both spellings.
    static const char* const kRendering[] = {"iCCP", "sRGB", "gAMA", "cHRM", "cICP", "mDCv",
                                             "mDCV", "cLLi", "cLLI", "sBIT", "pHYs", "tRNS",
                                             "bKGD", "acTL", "fcTL", "fdAT"};
    for (const char* r : kRendering) {
        if (Is(type, r)) return PngRole::Keep;
    }
    if (Is(type, "eXIf")) return PngRole::Exif;
    if (Is(type, "tEXt") || Is(type, "zTXt") || Is(type, "iTXt")) return PngRole::Text;
    if (Is(type, "tIME")) return PngRole::Time;
    return PngRole::Other;
}

static const char kXmpKeyword[] = "XML:com.adobe.xmp";

// The keyword: up to the first NUL, 1 to 79 bytes; empty when malformed.
static std::string Keyword(const uint8_t* data, size_t n) {
    if (n == 0) return {};
    const void* nul = memchr(data, 0, n < 80 ? n : 80);
    if (!nul) return {};
    return std::string((const char*)data, (const uint8_t*)nul - data);
}

const char* RemovedName(PngRole role, const uint8_t type[4], const uint8_t* data, size_t n) {
    switch (role) {
        case PngRole::Exif:
            return "Exif";
        case PngRole::Text:
            return Is(type, "iTXt") && Keyword(data, n) == kXmpKeyword ? "XMP" : "文本";
        case PngRole::Time:
            return "修改时间";
        default:
            return "其他数据块";
    }
}

// Hex digits after three header lines, as ImageMagick stores a raw profile
// ("\nexif\n   1234\n4578...").
static std::vector<uint8_t> RawProfile(const uint8_t* p, size_t n) {
    std::vector<uint8_t> out;
    int lines = 0;
    size_t i = 0;
    for (; i < n && lines < 3; i++) lines += p[i] == '\n';
    int high = -1;
    for (; i < n; i++) {
        const uint8_t c = p[i] | 0x20;
        int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (v < 0) continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back((uint8_t)(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

struct KeywordKind {
    const char* keyword;
    Private kind;
};

// Keywords registered for PNG, ImageMagick's own, and those exiftool
// writes beside the Exif tags of the same name.
constexpr KeywordKind kKeywords[] = {
    {"Author", Private::Author},     {"Copyright", Private::Author},
    {"Software", Private::Software}, {"Creation Time", Private::Time},
    {"Source", Private::Device},     {"date:create", Private::Time},
    {"date:modify", Private::Time},  {"date:timestamp", Private::Time},
    {"Artist", Private::Author},     {"Make", Private::Device},
    {"Model", Private::Device},
};

// ImageMagick copies Exif and XMP properties into text chunks by name
// ("exif:Make", "xmp:GPSLatitude"): the name after the prefix, or empty.
static std::string_view PropertyName(const std::string& keyword) {
    for (std::string_view prefix : {"exif:", "xmp:"}) {
        if (keyword.rfind(prefix, 0) == 0) return std::string_view(keyword).substr(prefix.size());
    }
    return {};
}

// ImageMagick's raw profiles, by type, once their hex digits are decoded.
static void ScanRawProfile(const std::string& type, const std::vector<uint8_t>& b, Findings* f) {
    if (type == "xmp") return ScanXmp((const char*)b.data(), b.size(), f);
    if (type == "8bim") return ScanPhotoshop(b.data(), b.size(), f);
    if (type == "iptc") return ScanIptc(b.data(), b.size(), f);
    if (type != "exif" && type != "APP1") return f->Add(Private::Text);
    const size_t skip = b.size() >= 6 && memcmp(b.data(), "Exif\0", 6) == 0 ? 6 : 0;
    ScanExif(b.data() + skip, b.size() - skip, f);
}

// Where the text after the keyword starts: tEXt holds it plainly; zTXt and
// iTXt may hold it compressed (*compressed).
static bool PlainText(const uint8_t type[4], const uint8_t* data, size_t n, size_t* at,
                      bool* compressed) {
    *at = strnlen((const char*)data, n) + 1;
    *compressed = Is(type, "zTXt");
    *at += *compressed;  // zTXt's compression method
    if (!Is(type, "iTXt")) return *at <= n;
    // iTXt: compression flag and method, language tag, translated keyword.
    if (*at + 2 > n) return false;
    *compressed = data[*at] != 0;
    *at += 2;
    for (int field = 0; field < 2; field++) {
        *at += strnlen((const char*)data + *at, n - *at) + 1;
        if (*at > n) return false;
    }
    return true;
}

void ScanPngText(const uint8_t type[4], const uint8_t* data, size_t n, Findings* f) {
    const std::string keyword = Keyword(data, n);
    size_t at;
    bool compressed;
    if (keyword.empty() || !PlainText(type, data, n, &at, &compressed)) {
        f->Add(Private::Text);
        return;
    }
    const uint8_t* text = data + at;
    size_t size = n - at;
    std::vector<uint8_t> inflated;
    if (compressed) {
        if (!InflateText(text, size, &inflated, f)) return;
        text = inflated.data();
        size = inflated.size();
    }
    const bool filled = HasText(text, size);
    for (const KeywordKind& k : kKeywords) {
        if (keyword == k.keyword) {
            if (filled) f->Add(k.kind);
            return;
        }
    }
    if (!filled) return;
    static const char kRawProfile[] = "Raw profile type ";
    if (keyword == kXmpKeyword) {
        ScanXmp((const char*)text, size, f);
    } else if (keyword.rfind(kRawProfile, 0) == 0) {
        ScanRawProfile(keyword.substr(sizeof kRawProfile - 1), RawProfile(text, size), f);
    } else if (std::string_view name = PropertyName(keyword); !name.empty()) {
        // Technical properties (ColorSpace, ExifVersion) tell nothing personal.
        Private kind;
        if (PropertyKind(name, &kind)) f->Add(kind);
    } else {
        f->Add(Private::Text);
    }
}

}  // namespace jhead
