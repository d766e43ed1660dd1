// Photoshop image resources in APP13: IPTC records (by-line, copyright,
// dates), thumbnails, Exif and XMP copies, and Photoshop's own data, which
// tells that the picture went through it.
#include <initializer_list>

#include "metadata/readers.h"
#include "platform/byte_order.h"

namespace jhead {

namespace {

constexpr uint16_t kIptc = 0x0404;
constexpr uint16_t kThumbnailOld = 0x0409;
constexpr uint16_t kThumbnail = 0x040C;
constexpr uint16_t kExifData = 0x0422;
constexpr uint16_t kXmpData = 0x0424;
constexpr uint16_t kIptcDigest = 0x0425;  // a checksum of the IPTC records

struct IptcKind {
    uint8_t dataset;
    Private kind;
};

// Datasets of the application record that name personal information.
constexpr IptcKind kIptcKinds[] = {
    {55, Private::Time},     // date created
    {62, Private::Time},     // digital creation date
    {80, Private::Author},   // by-line
    {85, Private::Author},   // by-line title
    {110, Private::Author},  // credit
    {116, Private::Author},  // copyright notice
    {118, Private::Author},  // contact
    {122, Private::Author},  // writer/editor
    {26, Private::Place},    // content location code
    {27, Private::Place},    // content location name
    {90, Private::Place},    // city
    {92, Private::Place},    // sub-location
    {95, Private::Place},    // province/state
    {100, Private::Place},   // country code
    {101, Private::Place},   // country
    {5, Private::Text},      // object name
    {25, Private::Text},     // keywords
    {40, Private::Text},     // special instructions
    {105, Private::Text},    // headline
    {120, Private::Text},    // caption/abstract
};

bool Damaged(Findings* f) {
    f->Damaged(Damage::Photoshop);
    return false;
}

// IPTC records: 1C, record, dataset, length (or, with its top bit set, the
// size of the length that follows), data.
bool IptcRecords(const uint8_t* p, size_t n, Findings* f) {
    size_t i = 0;
    while (i < n) {
        if (p[i] != 0x1C) {
            // Padding after the last record is fine; anything else is not.
            for (; i < n; i++) {
                if (p[i] != 0) return Damaged(f);
            }
            return true;
        }
        if (n - i < 5) return Damaged(f);
        uint8_t record = p[i + 1], dataset = p[i + 2];
        uint64_t size = GetBe(p + i + 3, 2);
        i += 5;
        if (size & 0x8000) {
            size_t bytes = size & 0x7FFF;
            if (bytes > 4 || n - i < bytes) return Damaged(f);
            size = GetBe(p + i, (int)bytes);
            i += bytes;
        }
        if (size > n - i) return Damaged(f);
        if (record == 2 && HasText(p + i, (size_t)size)) {
            for (const IptcKind& k : kIptcKinds) {
                if (k.dataset == dataset) f->Add(k.kind);
            }
        }
        i += (size_t)size;
    }
    return true;
}

bool IsSignature(const uint8_t* p) {
    for (const char* s : {"8BIM", "PHUT", "AgHg", "DCSR", "MeSa"}) {
        if (p[0] == s[0] && p[1] == s[1] && p[2] == s[2] && p[3] == s[3]) return true;
    }
    return false;
}

}  // namespace

void ScanIptc(const uint8_t* p, size_t n, Findings* f) { IptcRecords(p, n, f); }

void ScanPhotoshop(const uint8_t* p, size_t n, Findings* f) {
    size_t i = 0;
    while (i < n) {
        // Signature 4, id 2, name (a Pascal string padded to even), size 4.
        if (n - i < 8 || !IsSignature(p + i)) {
            for (; i < n; i++) {
                if (p[i] != 0) {
                    Damaged(f);
                    return;
                }
            }
            return;
        }
        uint16_t id = (uint16_t)GetBe(p + i + 4, 2);
        size_t name = (p[i + 6] + 2u) & ~1u;
        i += 6;
        if (n - i < name + 4) {
            Damaged(f);
            return;
        }
        i += name;
        uint64_t size = GetBe(p + i, 4);
        i += 4;
        if (size > n - i) {
            Damaged(f);
            return;
        }
        const uint8_t* data = p + i;
        switch (id) {
            case kIptc:
                IptcRecords(data, (size_t)size, f);
                break;
            case kThumbnailOld:
            case kThumbnail:
                f->Add(Private::Thumbnail);
                break;
            case kExifData:
                ScanExif(data, (size_t)size, f);
                break;
            case kXmpData:
                ScanXmp((const char*)data, (size_t)size, f);
                break;
            case kIptcDigest:
                break;
            default:
                f->Add(Private::Software);
        }
        i += (size_t)((size + 1) & ~(uint64_t)1);
        if (i > n) i = n;
    }
}

}  // namespace jhead
