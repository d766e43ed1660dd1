// The kinds of personal information a picture's metadata holds, found by
// reading the blocks the cleaner removes: Exif (with its GPS, Exif and
// thumbnail directories), XMP, IPTC and Photoshop resources, JFIF/JFXX
// thumbnails and the MPF index. Every read stays inside the segment it
// belongs to; a block whose structure does not hold together is noted as
// damaged and read as far as it goes. Only kinds are kept, never values.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jhead {

// In the order the report names them.
enum class Private : uint8_t {
    Gps,         // latitude or longitude
    Place,       // a named place: city, location, address
    Device,      // camera or phone make or model
    Time,        // when it was taken or made
    Serial,      // body or lens serial number
    MakerNotes,  // the maker's own data, which often holds serial numbers
    Author,      // a person's name or rights
    Text,        // a caption, description, comment or other free text
    Software,    // software or editing history
    Thumbnail,   // an embedded thumbnail or preview
    Count
};

// Blocks whose structure could not be read in full.
enum class Damage : uint8_t { Exif, Xmp, Photoshop, Mpf, Count };

struct Findings {
    uint32_t kinds = 0;   // bit per Private
    uint32_t damage = 0;  // bit per Damage
    // Removed data of a layout not read (an unknown APPn segment): the kinds
    // may be incomplete.
    bool unread = false;
    void Add(Private p) { kinds |= 1u << (int)p; }
    bool Has(Private p) const { return (kinds >> (int)p & 1) != 0; }
    void Damaged(Damage d) { damage |= 1u << (int)d; }
    bool IsDamaged(Damage d) const { return (damage >> (int)d & 1) != 0; }
};

// The words for a kind ("GPS位置", ...) and for a damaged block.
const char* PrivateName(Private p);
const char* DamageName(Damage d);

// The bytes of a text field hold something besides NULs and spaces.
bool HasText(const uint8_t* p, size_t n);

}  // namespace jhead
