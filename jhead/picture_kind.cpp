#include "picture_kind.h"

#include <cstring>

#include "isobmff/box.h"
#include "isobmff/top_level.h"

namespace jhead {

PictureKind SniffKind(const uint8_t* head, size_t n) {
    static const uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (n >= 2 && head[0] == 0xFF && head[1] == 0xD8) return PictureKind::Jpeg;
    if (n >= sizeof kPng && memcmp(head, kPng, sizeof kPng) == 0) return PictureKind::Png;
    if (n >= 12 && memcmp(head, "RIFF", 4) == 0 && memcmp(head + 8, "WEBP", 4) == 0)
        return PictureKind::Webp;
    // HEIC, HEIF and AVIF open with a file-type box; its brands tell a
    // picture from a video (MP4, QuickTime). A box longer than head is
    // left to the ISO media reader, which checks the brands again.
    if (n >= 8 && memcmp(head + 4, "ftyp", 4) == 0) {
        const uint64_t size = GetBe(head, 4);
        if (size < 8 || size > n || KindFromBrands(head + 8, (size_t)size - 8))
            return PictureKind::IsoMedia;
        return PictureKind::Unknown;
    }
    return PictureKind::Unknown;
}

}  // namespace jhead
