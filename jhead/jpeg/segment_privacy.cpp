#include "jpeg/segment_privacy.h"

#include <cstring>

#include "jpeg/jpeg_markers.h"
#include "metadata/readers.h"

namespace jhead {

static bool Starts(const uint8_t* p, size_t n, const char* id, size_t id_len) {
    return n >= id_len && memcmp(p, id, id_len) == 0;
}

// Identifiers with their terminating NUL where the format has one.
#define SKIP_ID(id) (Starts(payload, n, id, sizeof(id) - 1) ? sizeof(id) - 1 : 0)

void FindPrivate(uint8_t marker, Kind kind, const uint8_t* payload, size_t n, Findings* f) {
    size_t at = 0;
    switch (kind) {
        case Kind::Exif:
            // "Exif\0" and a pad byte, then TIFF.
            if (n >= 6) ScanExif(payload + 6, n - 6, f);
            return;
        case Kind::Xmp:
            if ((at = SKIP_ID("http://ns.adobe.com/xap/1.0/\0"))) {
                ScanXmp((const char*)payload + at, n - at, f);
            } else if ((at = SKIP_ID("http://ns.adobe.com/xmp/extension/\0"))) {
                // A chunk of a longer packet (after its GUID, full length and
                // offset): it starts and ends anywhere in the text, so only
                // what it says counts, not where it is cut.
                constexpr size_t kChunkHeader = 32 + 4 + 4;
                Findings chunk;
                if (n - at >= kChunkHeader) {
                    ScanXmp((const char*)payload + at + kChunkHeader, n - at - kChunkHeader,
                            &chunk);
                }
                f->kinds |= chunk.kinds;
            }
            return;
        case Kind::Iptc:
            if ((at = SKIP_ID("Photoshop 3.0\0"))) ScanPhotoshop(payload + at, n - at, f);
            return;
        case Kind::Mpf:
            ScanMpf(payload + 4, n - 4, f);  // after "MPF\0"
            return;
        case Kind::Jfif:
            // Fixed fields end with the thumbnail's width and height.
            if (n > 14 && payload[12] != 0 && payload[13] != 0) f->Add(Private::Thumbnail);
            return;
        default:
            break;
    }
    // A JFXX extension: a code byte, then the thumbnail.
    if (marker == marker::kApp0 && (at = SKIP_ID("JFXX\0")) && n > at + 1)
        f->Add(Private::Thumbnail);
}

#undef SKIP_ID

}  // namespace jhead
