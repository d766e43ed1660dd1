#include "jpeg_samples.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>

namespace jhead_test {

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Be(uint64_t v, int n) {
    Bytes b;
    for (int i = n - 1; i >= 0; i--) b.push_back((uint8_t)(v >> 8 * i));
    return b;
}

Bytes Le(uint64_t v, int n) {
    Bytes b = Be(v, n);
    return Bytes(b.rbegin(), b.rend());
}

Bytes Seg(uint8_t marker, const Bytes& payload) {
    return Cat({{0xFF, marker}, Be(payload.size() + 2, 2), payload});
}

Bytes Patched(Bytes b, size_t at, const Bytes& with) {
    std::copy(with.begin(), with.end(), b.begin() + (long)at);
    return b;
}

std::string Unhex(const std::string& hex) {
    std::string s;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) s += (char)std::stoi(hex.substr(i, 2), 0, 16);
    return s;
}

static void Put(Bytes& b, size_t at, uint32_t v, int n, bool be) {
    for (int i = 0; i < n; i++) b[at + i] = (uint8_t)(v >> (be ? 8 * (n - 1 - i) : 8 * i));
}

static size_t TypeSize(uint16_t type) { return type == 3 ? 2 : type == 4 ? 4 : type == 5 ? 8 : 1; }

Bytes Tiff(const std::vector<Tag>& ifd0_in, const std::vector<Tag>& exif,
           const std::vector<Tag>& gps, const std::vector<Tag>& ifd1, bool be) {
    std::vector<Tag> ifd0 = ifd0_in;
    // Pointers first, filled in once the directories' places are known.
    if (!exif.empty()) ifd0.push_back({0x8769, 4, Bytes(4)});
    // The GPS pointer goes in IFD0 unless the Exif directory has it.
    bool gps_in_exif =
        std::any_of(exif.begin(), exif.end(), [](const Tag& t) { return t.tag == 0x8825; });
    if (!gps.empty() && !gps_in_exif) ifd0.push_back({0x8825, 4, Bytes(4)});
    std::vector<const std::vector<Tag>*> dirs = {&ifd0, &exif, &gps, &ifd1};
    size_t at = 8;
    std::vector<size_t> place;
    for (auto* d : dirs) {
        place.push_back(d->empty() ? 0 : at);
        if (!d->empty()) at += 2 + 12 * d->size() + 4;
    }
    Bytes t(at, 0);
    t[0] = t[1] = be ? 'M' : 'I';
    Put(t, 2, 42, 2, be);
    Put(t, 4, 8, 4, be);
    for (size_t d = 0; d < dirs.size(); d++) {
        if (!place[d]) continue;
        std::vector<Tag> tags = *dirs[d];
        size_t e = place[d];
        Put(t, e, (uint32_t)tags.size(), 2, be);
        for (size_t i = 0; i < tags.size(); i++, e += 12) {
            Tag& tag = tags[i];
            if (tag.tag == 0x8769) Put(tag.value, 0, (uint32_t)place[1], 4, be);
            if (tag.tag == 0x8825) Put(tag.value, 0, (uint32_t)place[2], 4, be);
            Put(t, e + 2, tag.tag, 2, be);
            Put(t, e + 4, tag.type, 2, be);
            Put(t, e + 6, (uint32_t)(tag.value.size() / TypeSize(tag.type)), 4, be);
            if (tag.value.size() <= 4) {
                std::copy(tag.value.begin(), tag.value.end(), t.begin() + e + 10);
            } else {
                Put(t, e + 10, (uint32_t)t.size(), 4, be);
                t.insert(t.end(), tag.value.begin(), tag.value.end());
            }
        }
        // IFD0's next directory is IFD1.
        if (d == 0) Put(t, e + 2, (uint32_t)place[3], 4, be);
    }
    return t;
}

Bytes ExifTiff(int orientation, bool be) {
    std::vector<Tag> ifd0 = {{0x010F, 2, B(std::string("Canon", 6))}};
    Bytes o = be ? Bytes{0, (uint8_t)orientation} : Bytes{(uint8_t)orientation, 0};
    if (orientation) ifd0.push_back({0x0112, 3, o});
    return Tiff(ifd0, {}, {{0x0001, 2, B(std::string("N", 2))}}, {}, be);
}

Bytes ExifSegment(int orientation, bool be) {
    return Seg(0xE1, Cat({B(std::string("Exif\0\0", 6)), ExifTiff(orientation, be)}));
}

std::vector<Bytes> IccChunks(int count) {
    std::vector<Bytes> chunks;
    for (int i = 1; i <= count; i++) {
        Bytes payload = Cat({B(std::string("ICC_PROFILE\0", 12)), {(uint8_t)i, (uint8_t)count}});
        for (int k = 0; k < 100; k++) payload.push_back((uint8_t)(i * 31 + k));
        chunks.push_back(Seg(0xE2, payload));
    }
    return chunks;
}

Bytes FakeTables() {
    Bytes dqt = Cat({{0}, Bytes(64, 1)});  // table 0, 8-bit
    Bytes sof = {8, 0, 8, 0, 8, 1, 1, 0x11, 0};
    Bytes dht = {0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x05};
    return Cat({Seg(0xDB, dqt), Seg(0xC0, sof), Seg(0xC4, dht), Seg(0xDD, {0, 1})});
}

Bytes FakeScans(const Bytes& between) {
    Bytes sos = {1, 1, 0x00, 0, 63, 0};
    Bytes data1 = {0x12, 0x34, 0xFF, 0x00, 0x56, 0xFF, 0xD0, 0x78, 0xFF, 0xFF, 0xD1, 0x9A};
    // A table between the scans whose bytes read FF D9 when taken for data.
    Bytes dht = {0x10, 0xFF, 0xD9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xD9};
    Bytes data2 = {0xAB, 0xFF, 0x00, 0xCD, 0xEF};
    return Cat(
        {Seg(0xDA, sos), data1, between, Seg(0xC4, dht), Seg(0xDA, sos), data2, {0xFF, 0xD9}});
}

Bytes AllMetadata(int orientation, bool big_endian) {
    using namespace std::string_literals;
    return Cat({
        Seg(0xE0, B("JFXX\0\x10"s)),
        ExifSegment(orientation, big_endian),
        Seg(0xE1, B("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta>GPS</x:xmpmeta>"s)),
        Seg(0xE1, B("http://ns.adobe.com/xmp/extension/\0"s + std::string(40, 'A'))),
        Seg(0xE2, B("MPF\0II*\0"s)),
        Seg(0xE2, B("FPXR\0\0\0"s)),
        Seg(0xE3, B("Meta")),
        Seg(0xEC, B("Ducky\0\1"s)),
        Seg(0xED, B("Photoshop 3.0\0"
                    "8BIM\4\4"s)),
        Seg(0xEE, B("NotAdobe")),
        Seg(0xEF, B("app15")),
        Seg(0xFE, B("a comment")),
    });
}

std::filesystem::path FromUtf8(const std::string& s) {
    return std::filesystem::path(std::u8string(s.begin(), s.end()));
}

static std::string ToUtf8(const std::filesystem::path& p) {
    std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

Bytes ReadFile(const std::string& path) {
    std::ifstream f(FromUtf8(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

void WriteFile(const std::string& path, const Bytes& data) {
    std::ofstream f(FromUtf8(path), std::ios::binary | std::ios::trunc);
    f.write((const char*)data.data(), (std::streamsize)data.size());
}

TempFolder::TempFolder() {
    static int n = 0;
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir = std::filesystem::temp_directory_path() /
          ("jhead-test-" + std::to_string(stamp) + "-" + std::to_string(n++));
    std::filesystem::create_directories(dir);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

std::string TempFolder::Path(const std::string& name) const { return ToUtf8(dir / FromUtf8(name)); }

std::set<std::string> TempFolder::Names() const {
    std::set<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(dir))
        names.insert(ToUtf8(e.path().filename()));
    return names;
}

}  // namespace jhead_test
