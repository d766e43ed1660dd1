// JPEG files built segment by segment for the tests (every kind of
// metadata, pictures with several scans), and a fresh folder to put them in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace jhead_test {

using Bytes = std::vector<uint8_t>;

Bytes B(const std::string& s);
Bytes Cat(std::initializer_list<Bytes> parts);
// v in n bytes, most significant first (Be) or last (Le).
Bytes Be(uint64_t v, int n);
Bytes Le(uint64_t v, int n);
// FF marker, big-endian length, payload.
Bytes Seg(uint8_t marker, const Bytes& payload);
// b with the bytes from at on replaced by with.
Bytes Patched(Bytes b, size_t at, const Bytes& with);
// Bytes from hex digits (compressed data, as zlib makes it).
std::string Unhex(const std::string& hex);

// A TIFF directory entry: tag, type and value bytes (count from the size).
struct Tag {
    uint16_t tag;
    uint16_t type;
    Bytes value;
};
// A TIFF block (little-endian unless be): IFD0, then the Exif and GPS
// directories (each pointed to from IFD0 when given, the GPS directory from
// the Exif directory when that lists tag 0x8825), then IFD1 when given;
// values that do not fit an entry follow the directories.
Bytes Tiff(const std::vector<Tag>& ifd0, const std::vector<Tag>& exif = {},
           const std::vector<Tag>& gps = {}, const std::vector<Tag>& ifd1 = {}, bool be = false);
// Exif with Make, Orientation (when not 0) and a GPS IFD, IFD0 at 8: the
// TIFF block, and the APP1 segment that holds it.
Bytes ExifTiff(int orientation, bool big_endian);
Bytes ExifSegment(int orientation, bool big_endian);

// An ICC profile split into count APP2 chunks.
std::vector<Bytes> IccChunks(int count);

// Picture segments with fake entropy data: the tool never decodes, so these
// exercise the structure. Two scans, a restart marker, stuffing, fill bytes,
// and a table between the scans whose payload holds FF D9; between goes
// right before that table.
Bytes FakeTables();                          // DQT SOF0 DHT DRI
Bytes FakeScans(const Bytes& between = {});  // SOS data ... EOI

// Every removable kind of segment, in a plausible order.
Bytes AllMetadata(int orientation, bool big_endian);

// Paths are UTF-8, on Windows too.
Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const Bytes& data);
std::filesystem::path FromUtf8(const std::string& s);

// A fresh folder per test, removed afterwards (with what it holds, unless
// read-only on Windows).
struct TempFolder {
    TempFolder();
    ~TempFolder();
    std::string Path(const std::string& name) const;  // UTF-8
    std::set<std::string> Names() const;              // of everything in it
    std::filesystem::path dir;
};

}  // namespace jhead_test
