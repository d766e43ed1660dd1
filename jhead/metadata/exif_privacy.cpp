// Exif: IFD0 and the Exif directory name the camera, the times, the people
// and the software; the GPS directory the position; IFD1 is the thumbnail.
#include "metadata/readers.h"
#include "metadata/tiff_reader.h"

namespace jhead {

namespace {

struct TagKind {
    uint16_t tag;
    Private kind;
};

// Tags of IFD0, IFD1 and the Exif directory (writers do not always put a
// tag where it belongs, so all three are read alike).
constexpr TagKind kTags[] = {
    {0x010F, Private::Device},      // Make
    {0x0110, Private::Device},      // Model
    {0x013C, Private::Device},      // HostComputer
    {0xA433, Private::Device},      // LensMake
    {0xA434, Private::Device},      // LensModel
    {0x0132, Private::Time},        // DateTime
    {0x9003, Private::Time},        // DateTimeOriginal
    {0x9004, Private::Time},        // DateTimeDigitized
    {0xA431, Private::Serial},      // BodySerialNumber
    {0xA435, Private::Serial},      // LensSerialNumber
    {0xC62F, Private::Serial},      // CameraSerialNumber
    {0xA420, Private::Serial},      // ImageUniqueID: ties the picture to its camera
    {0x927C, Private::MakerNotes},  // MakerNote
    {0x013B, Private::Author},      // Artist
    {0x8298, Private::Author},      // Copyright
    {0xA430, Private::Author},      // CameraOwnerName
    {0x9C9D, Private::Author},      // XPAuthor (UCS-2)
    {0x010E, Private::Text},        // ImageDescription
    {0x9286, Private::Text},        // UserComment (after its 8-byte character code)
    {0x9C9B, Private::Text},        // XPTitle
    {0x9C9C, Private::Text},        // XPComment
    {0x9C9E, Private::Text},        // XPKeywords
    {0x9C9F, Private::Text},        // XPSubject
    {0x0131, Private::Software},    // Software
};

constexpr uint16_t kExifIfd = 0x8769;
constexpr uint16_t kGpsIfd = 0x8825;
constexpr uint16_t kCopyright = 0x8298;
constexpr uint16_t kUserComment = 0x9286;
constexpr uint16_t kThumbnailOffset = 0x0201;
constexpr uint16_t kThumbnailLength = 0x0202;
constexpr uint16_t kStripOffsets = 0x0111;
constexpr uint16_t kStripByteCounts = 0x0117;
constexpr uint16_t kAscii = 2;
constexpr uint16_t kRational = 5;
constexpr uint16_t kSignedRational = 10;
// Where the picture was taken, and where its subject lies.
constexpr uint16_t kCoordinates[] = {2, 4, 0x14, 0x16};  // GPS(Dest)Latitude, GPS(Dest)Longitude

// An ASCII value ends at its first NUL, as readers show it; Copyright holds
// two strings (photographer, editor) separated by one.
bool Holds(const TiffEntry& e) {
    if (e.value == nullptr) return false;
    size_t n = e.size;
    if (e.tag == kUserComment) return n > 8 && HasText(e.value + 8, n - 8);
    if (e.type == kAscii && e.tag != kCopyright) {
        for (size_t i = 0; i < e.size; i++) {
            if (e.value[i] == 0) {
                n = i;
                break;
            }
        }
    }
    return HasText(e.value, n);
}

void ScanTags(const std::vector<TiffEntry>& entries, Findings* f) {
    for (const TiffEntry& e : entries) {
        for (const TagKind& t : kTags) {
            if (t.tag == e.tag && Holds(e)) f->Add(t.kind);
        }
    }
}

// A directory's offset: four bytes, whatever type a careless writer gave
// them (readers follow such pointers too).
uint32_t Pointer(const TiffReader& r, const std::vector<TiffEntry>& entries, uint16_t tag) {
    for (const TiffEntry& e : entries) {
        if (e.tag == tag)
            return e.value != nullptr && e.size == 4 ? r.Get(e.value, 4) : r.Number(e);
    }
    return 0;
}

// A coordinate holds a position when one of its values is a number other
// than 0 (0/0, 0/1 and an empty value are what a receiver without a fix
// writes).
bool HoldsPosition(const TiffReader& r, const TiffEntry& e) {
    if (e.value == nullptr) return false;
    if (e.type != kRational && e.type != kSignedRational) {
        for (size_t i = 0; i < e.size; i++) {
            if (e.value[i] != 0 && e.value[i] != '0' && e.value[i] != '.' && e.value[i] != ' ')
                return true;
        }
        return false;
    }
    for (size_t i = 0; i + 8 <= e.size; i += 8) {
        if (r.Get(e.value + i, 4) != 0 && r.Get(e.value + i + 4, 4) != 0) return true;
    }
    return false;
}

void ScanGps(const std::vector<TiffEntry>& entries, const TiffReader& r, Findings* f) {
    for (const TiffEntry& e : entries) {
        for (uint16_t tag : kCoordinates) {
            if (e.tag == tag && HoldsPosition(r, e)) f->Add(Private::Gps);
        }
    }
}

// IFD1 is a thumbnail only when it points at image bytes: a JPEG with a
// length, or strips with a size.
bool HoldsImage(const TiffReader& r, const std::vector<TiffEntry>& entries) {
    bool jpeg = false, strips = false;
    uint32_t jpeg_size = 0, strip_size = 0;
    for (const TiffEntry& e : entries) {
        if (e.tag == kThumbnailOffset) jpeg = true;
        if (e.tag == kThumbnailLength) jpeg_size = r.Number(e);
        if (e.tag == kStripOffsets) strips = true;
        if (e.tag == kStripByteCounts) strip_size = r.Number(e);
    }
    return (jpeg && jpeg_size > 0) || (strips && strip_size > 0);
}

}  // namespace

void ScanExif(const uint8_t* tiff, size_t n, Findings* f) {
    TiffReader r(tiff, n);
    if (!r.ok()) {
        f->Damaged(Damage::Exif);
        return;
    }
    uint32_t ifd1;
    std::vector<TiffEntry> ifd0 = r.ReadIfd(r.first_ifd(), &ifd1);
    ScanTags(ifd0, f);
    uint32_t unused;
    std::vector<TiffEntry> exif;
    if (uint32_t at = Pointer(r, ifd0, kExifIfd)) exif = r.ReadIfd(at, &unused);
    ScanTags(exif, f);
    // Some writers put the GPS pointer in the Exif directory; readers follow
    // it there too.
    uint32_t gps = Pointer(r, ifd0, kGpsIfd);
    if (gps == 0) gps = Pointer(r, exif, kGpsIfd);
    if (gps != 0) ScanGps(r.ReadIfd(gps, &unused), r, f);
    if (ifd1 != 0) {
        std::vector<TiffEntry> entries = r.ReadIfd(ifd1, &unused);
        if (HoldsImage(r, entries)) f->Add(Private::Thumbnail);
        ScanTags(entries, f);
    }
    if (r.damaged()) f->Damaged(Damage::Exif);
}

void ScanMpf(const uint8_t* tiff, size_t n, Findings* f) {
    constexpr uint16_t kNumberOfImages = 0xB001;
    constexpr uint16_t kMpEntry = 0xB002;
    constexpr size_t kEntrySize = 16;
    TiffReader r(tiff, n);
    uint32_t next;
    std::vector<TiffEntry> index =
        r.ok() ? r.ReadIfd(r.first_ifd(), &next) : std::vector<TiffEntry>();
    uint32_t images = 0;
    bool listed = false;
    for (const TiffEntry& e : index) {
        if (e.tag == kMpEntry && e.value != nullptr) {
            images = (uint32_t)(e.size / kEntrySize);
            listed = true;
        }
        if (e.tag == kNumberOfImages && !listed) images = r.Number(e);
    }
    // The first image is this picture; the others are its previews.
    if (images >= 2) f->Add(Private::Thumbnail);
    if (!r.ok() || r.damaged()) f->Damaged(Damage::Mpf);
}

}  // namespace jhead
