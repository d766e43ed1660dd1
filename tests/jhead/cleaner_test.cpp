// The remover on in-memory pictures: what goes, what stays byte for byte,
// the orientation, what damage it recovers from and what it must refuse;
// and the walk through the picture data, however it is cut into chunks.
#include <gtest/gtest.h>

#include <tuple>

#include "jpeg/cleaner.h"
#include "jpeg/eoi_finder.h"
#include "jpeg_samples.h"
#include "planned.h"

using namespace jhead;
using namespace jhead_test;

namespace {

const Bytes kSoi = {0xFF, 0xD8};
const Bytes kJfif = Seg(0xE0, B(std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14)));
const Bytes kAdobe = Seg(0xEE, B(std::string("Adobe\0\144\0\0\0\0\1", 12)));
// The picture's own segments and data: what every cleaned picture ends with.
const Bytes kRest = Cat({FakeTables(), FakeScans()});

// Name, input, and the cleaned picture (the input itself when nothing is to go).
using Case = std::tuple<const char*, Bytes, Bytes>;

// Each case cleans to the wanted bytes, and a second run finds nothing to do.
void ExpectCleaned(const std::vector<Case>& cases) {
    for (const auto& [name, in, want] : cases) {
        Clean c(in);
        EXPECT_EQ(c.error, ParseError::None) << name;
        EXPECT_EQ(c.wrote ? c.out.bytes : in, want) << name;
        EXPECT_FALSE(Clean(want).wrote) << name;
    }
}

TEST(Cleaner, OrientationSurvivesAsMinimalExif) {
    std::vector<Case> cases;
    for (int o = 2; o <= 8; o++) {
        // In place of the original Exif block, in its byte order.
        for (bool be : {false, true}) {
            Bytes in = Cat({kSoi, kJfif, ExifSegment(o, be), Seg(0xFE, B("c")), kRest});
            cases.push_back({"turned", in, Cat({kSoi, kJfif, MinimalExifSegment({o, be}), kRest})});
        }
    }
    // Only the second of two Exif blocks holds one: that value, in the first's place.
    cases.push_back({"second block",
                     Cat({kSoi, ExifSegment(0, false), kJfif, ExifSegment(5, true), kRest}),
                     Cat({kSoi, MinimalExifSegment({5, true}), kJfif, kRest})});
    cases.push_back({"both blocks hold one: the first's",
                     Cat({kSoi, ExifSegment(3, false), kJfif, ExifSegment(5, true), kRest}),
                     Cat({kSoi, MinimalExifSegment({3, false}), kJfif, kRest})});
    // Blocks that hold no readable orientation leave none behind: a value out
    // of range, IFD0 past the end, 64 entries where the block holds 3.
    for (const Bytes& b : {ExifSegment(9, false), Patched(ExifSegment(6, true), 4 + 6 + 7, {0xF0}),
                           Patched(ExifSegment(6, false), 4 + 6 + 8, {0x40})}) {
        cases.push_back({"no orientation", Cat({kSoi, b, kRest}), Cat({kSoi, kRest})});
    }
    ExpectCleaned(cases);
}

// Damage a decoder reads past: the stray bytes go with the metadata, and the
// picture segments and data stay byte for byte, even when the data is cut short.
TEST(Cleaner, RecoversHeadersAndDataTheWayDecodersRead) {
    Bytes exif = ExifSegment(1, false);
    Bytes icc_long = IccChunks(1)[0];
    icc_long[3] += 2;  // swallows the FF EE of the Adobe segment after it
    Bytes xmp_short = Seg(0xE1, B(std::string("http://ns.adobe.com/xap/1.0/\0<x/>", 34)));
    xmp_short[3] -= 2;
    std::string thumb("JFIF\0\1\2\0\0\1\0\1\2\1RGBrgb", 20);
    Bytes cut_short(kRest.begin(), kRest.end() - 2);  // no EOI
    ExpectCleaned({
        {"zero padding", Cat({kSoi, kJfif, {0, 0, 0}, exif, kRest}), Cat({kSoi, kJfif, kRest})},
        {"stuffed FF00", Cat({kSoi, exif, {0xFF, 0x00}, kRest}), Cat({kSoi, kRest})},
        {"standalone markers", Cat({kSoi, {0xFF, 0x01, 0xFF, 0xD0, 0xFF, 0xD7}, exif, kRest}),
         Cat({kSoi, {0xFF, 0x01, 0xFF, 0xD0, 0xFF, 0xD7}, kRest})},
        {"comment length below 2", Cat({kSoi, {0xFF, 0xFE, 0x00, 0x01}, kRest}),
         Cat({kSoi, kRest})},
        {"ICC 2 bytes long", Cat({kSoi, icc_long, kAdobe, kRest}),
         Cat({kSoi, icc_long, {0xFF, 0xEE}, kRest})},
        {"Adobe's APP14 kept, another's not", Cat({kSoi, kAdobe, Seg(0xEE, B("Ducky")), kRest}),
         Cat({kSoi, kAdobe, kRest})},
        {"XMP 2 bytes short", Cat({kSoi, kJfif, xmp_short, kRest}), Cat({kSoi, kJfif, kRest})},
        {"JFIF thumbnail", Cat({kSoi, Seg(0xE0, B(thumb)), kRest}),
         Cat({kSoi, Seg(0xE0, B(thumb.substr(0, 12) + std::string(2, '\0'))), kRest})},
        // Fill bytes stay with a kept marker and go with a removed one.
        {"fill bytes, data cut short",
         Cat({kSoi, {0xFF}, Seg(0xFE, B("x")), {0xFF, 0xFF}, cut_short}),
         Cat({kSoi, {0xFF, 0xFF}, cut_short})},
    });
    EXPECT_TRUE(Clean(Cat({kSoi, cut_short})).plan.truncated);
}

// The picture's length (data.size() + 1 when no EOI was found), then the
// offset and size of each cut.
std::vector<uint64_t> Walk(const Bytes& data, size_t chunk) {
    EoiFinder f(100);
    uint64_t total = 0;
    for (size_t at = 0; at < data.size() && !f.found(); at += chunk) {
        total += f.Feed(data.data() + at, std::min(chunk, data.size() - at));
    }
    std::vector<uint64_t> w = {f.found() ? total : data.size() + 1};
    for (const Cut& c : f.cuts()) w.insert(w.end(), {c.offset - 100, c.size});
    return w;
}

TEST(EoiFinder, SameEndAndCutsForEveryChunkSize) {
    Bytes scans = FakeScans();
    Bytes after_sos(scans.begin() + 10, scans.end());
    Bytes com = Seg(0xFE, B("abc"));
    std::tuple<const char*, Bytes, std::vector<uint64_t>> cases[] = {
        // Stuffed FF00, RST, fill bytes and a table holding FF D9 between scans.
        {"two scans", Cat({after_sos, B("trailer\xFF\xD9")}), {after_sos.size()}},
        {"no EOI", Bytes(after_sos.begin(), after_sos.end() - 2), {after_sos.size() - 1}},
        {"damaged length", {0x11, 0xFF, 0xC4, 0x00, 0x00, 0x22, 0xFF, 0xD9}, {8}},
        {"segment hides EOI", {0xFF, 0xFE, 0x00, 0x04, 0xFF, 0xD9, 0xFF, 0xD9}, {8, 0, 6}},
        // Markers without a length: TEM, RST0..7, SOI.
        {"no length", {0xFF, 0x01, 0xFF, 0xD8, 0xFF, 0xD7, 0xFF, 0xD0, 0xFF, 0xD9}, {10}},
        {"ends on FF", {0x11, 0xFF}, {3}},
        {"comments",
         Cat({{0x11}, com, {0xFF, 0xFF}, com, {0xFF, 0xC4, 0, 2, 0xFF, 0xD9}}),
         {1 + 7 + 2 + 7 + 6, 1, 7, 10, 7}},
        {"comment before data", Cat({{0x11}, com, {0x22, 0xFF, 0xD9}}), {11}},
        {"comment before RST", Cat({{0x11}, com, {0xFF, 0xD0, 0xFF, 0xD9}}), {12}},
    };
    for (const auto& [name, data, want] : cases) {
        for (size_t chunk : {1, 2, 3, 5, 7, 64}) {
            EXPECT_EQ(Walk(data, chunk), want) << name << " chunk " << chunk;
        }
    }
}

}  // namespace
