#include "jpeg/segment_privacy.h"

#include <cstring>

#include "jpeg/app12_privacy.h"
#include "jpeg/jpeg_markers.h"
#include "metadata/readers.h"

namespace jhead {

static bool Starts(const uint8_t* p, size_t n, const char* id, size_t id_len) {
    return n >= id_len && memcmp(p, id, id_len) == 0;
}

// Identifiers with their terminating NUL where the format has one.
#define SKIP_ID(id) (Starts(payload, n, id, sizeof(id) - 1) ? sizeof(id) - 1 : 0)

void FindPrivate(uint8_t marker, Kind kind, const uint8_t* payload, size_t n, Findings* f,
                 SplitBlocks* split) {
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
                if (split) {
                    split->xmp.Add(payload + at, n - at, f);
                } else {
                    ExtendedXmp::ScanChunk(payload + at, n - at, f);
                }
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
        case Kind::Comment:
            if (HasText(payload, n)) f->Add(Private::Text);
            return;
        case Kind::OtherApp:
        case Kind::FlashPix:
            break;
        default:
            return;
    }
    // A JFXX extension: a code byte, then the thumbnail.
    if (marker == marker::kApp0 && (at = SKIP_ID("JFXX\0"))) {
        if (n > at + 1) f->Add(Private::Thumbnail);
    } else if (marker == marker::kApp12 && ScanApp12(payload, n, f)) {
        return;  // of a known layout, read
    } else if (marker == marker::kApp1 && (at = SKIP_ID("FLIR\0"))) {
        FlirFile lone;
        (split ? split->flir : lone).Add(payload + at, n - at);
        lone.Scan(f);
    } else if (n > 0) {
        // Nothing here is read: what it holds is not known.
        f->unread = true;
    }
}

#undef SKIP_ID

}  // namespace jhead
