#include "metadata/findings.h"

namespace jhead {

bool HasText(const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; i++) {
        if (p[i] != 0 && p[i] != ' ') return true;
    }
    return false;
}

const char* PrivateName(Private p) {
    // In the order of Private.
    static const char* const kNames[] = {
        "GPS位置", "地点",     "拍摄设备", "拍摄时间", "序列号", "厂商数据可能含序列号",
        "作者",    "说明文字", "编辑软件", "缩略图",
    };
    static_assert(sizeof kNames / sizeof kNames[0] == (int)Private::Count);
    return kNames[(int)p];
}

const char* DamageName(Damage d) {
    static const char* const kNames[] = {"Exif", "XMP", "IPTC/Photoshop", "MPF"};
    static_assert(sizeof kNames / sizeof kNames[0] == (int)Damage::Count);
    return kNames[(int)d];
}

}  // namespace jhead
