#include "jpeg/app12_privacy.h"

#include <string_view>

namespace jhead {

namespace {

using Text = std::string_view;

// Records of tag, length and data, up to tag 0; the comment and the
// copyright hold a 4-byte count, then UTF-16 text.
void ScanDucky(const uint8_t* p, size_t n, Findings* f) {
    constexpr uint16_t kComment = 2, kCopyright = 3;
    for (size_t i = 0; n - i >= 4;) {
        uint16_t tag = (uint16_t)(p[i] << 8 | p[i + 1]);
        size_t size = (size_t)(p[i + 2] << 8 | p[i + 3]);
        i += 4;
        if (tag == 0) return;
        if (size > n - i) {
            f->unread = true;  // the rest cannot be told apart
            return;
        }
        bool text = size > 4 && HasText(p + i + 4, size - 4);
        if (text && tag == kComment) f->Add(Private::Text);
        if (text && tag == kCopyright) f->Add(Private::Author);
        i += size;
    }
}

struct KeyKind {
    Text key;
    Private kind;
};

constexpr KeyKind kKeys[] = {
    {"TimeDate", Private::Time},
    {"Type", Private::Device},
    {"Serial#", Private::Serial},
};

// "Key=Value" lines under "[section]" headings, after the maker's name.
void ScanPictureInfo(Text s, Findings* f) {
    while (!s.empty()) {
        size_t end = s.find('\n');
        Text line = s.substr(0, end);
        s = end == Text::npos ? Text() : s.substr(end + 1);
        size_t eq = line.find('=');
        if (eq == Text::npos) continue;
        Text value = line.substr(eq + 1);
        if (!value.empty() && value.back() == '\r') value.remove_suffix(1);
        if (!HasText((const uint8_t*)value.data(), value.size())) continue;
        for (const KeyKind& k : kKeys) {
            if (line.substr(0, eq) == k.key) f->Add(k.kind);
        }
    }
}

}  // namespace

bool ScanApp12(const uint8_t* payload, size_t n, Findings* f) {
    const Text s((const char*)payload, n);
    if (s.substr(0, 5) == "Ducky") {
        ScanDucky(payload + 5, n - 5, f);
        return true;
    }
    // The camera's sections, then "[user]": the owner's own text.
    constexpr size_t kHeadingWithin = 64;
    const size_t heading = s.find("[picture info]");
    if (heading == Text::npos || heading > kHeadingWithin) return false;
    const size_t user = s.find("[user]");
    ScanPictureInfo(s.substr(heading, user == Text::npos ? Text::npos : user - heading), f);
    // The owner's part runs to the next heading, padded with 0xFF, NULs,
    // spaces and line ends.
    Text owner = user == Text::npos ? Text() : s.substr(user + 6);
    for (char c : owner.substr(0, owner.find('['))) {
        if ((uint8_t)c > ' ' && (uint8_t)c != 0xFF) {
            f->Add(Private::Text);
            break;
        }
    }
    return true;
}

}  // namespace jhead
