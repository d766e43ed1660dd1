#include "jpeg/segment_kind.h"

#include <cstring>

#include "jpeg/jpeg_markers.h"

namespace jhead {

static bool StartsWith(const uint8_t* p, size_t n, const char* id, size_t id_len) {
    return n >= id_len && memcmp(p, id, id_len) == 0;
}

// Identifiers include their terminating NUL where the format has one, so
// that "JFIF\0" does not match "JFXX\0" or a longer name.
#define HAS_ID(id) StartsWith(payload, n, id, sizeof(id) - 1)

Kind ClassifySegment(uint8_t marker, const uint8_t* payload, size_t n) {
    switch (marker) {
        case marker::kApp0:
            return HAS_ID("JFIF\0") ? Kind::Jfif : Kind::OtherApp;
        case marker::kApp1:
            if (HAS_ID("Exif\0")) return Kind::Exif;
            if (HAS_ID("http://ns.adobe.com/xap/1.0/\0")) return Kind::Xmp;
            if (HAS_ID("http://ns.adobe.com/xmp/extension/\0")) return Kind::Xmp;
            return Kind::OtherApp;
        case marker::kApp2:
            if (HAS_ID("ICC_PROFILE\0")) return Kind::Icc;
            if (HAS_ID("MPF\0")) return Kind::Mpf;
            if (HAS_ID("FPXR\0")) return Kind::FlashPix;
            return Kind::OtherApp;
        case marker::kApp13:
            return Kind::Iptc;
        case marker::kApp14:
            // Adobe's transform flag tells decoders YCCK/RGB from CMYK.
            return HAS_ID("Adobe") ? Kind::Adobe : Kind::OtherApp;
        case marker::kCom:
            return Kind::Comment;
    }
    if (marker::IsMetadata(marker)) return Kind::OtherApp;
    return Kind::Picture;
}

#undef HAS_ID

const char* KindName(Kind k) {
    // In the order of Kind.
    static const char* const kNames[] = {
        "图像数据", "JFIF",           "ICC 色彩配置", "Adobe",          "Exif",
        "XMP",      "IPTC/Photoshop", "MPF",          "FlashPix",       "其他 APP 段",
        "注释",     "JFIF 缩略图",    "段间无效数据", "图像后附加数据",
    };
    static_assert(sizeof kNames / sizeof kNames[0] == kKindCount);
    return kNames[(int)k];
}

}  // namespace jhead
