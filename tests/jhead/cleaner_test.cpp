// The remover on in-memory pictures: what goes, what stays byte for byte,
// the orientation, and every malformed header it must refuse.
#include <gtest/gtest.h>

#include "cleaner.h"
#include "jpeg_samples.h"

using namespace jhead;
using namespace jhead_test;

namespace {

const Bytes kSoi = {0xFF, 0xD8};
const Bytes kJfif = Seg(0xE0, B(std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14)));
const Bytes kAdobe = Seg(0xEE, B(std::string("Adobe\0\144\0\0\0\0\1", 12)));

struct Cleaned {
    ParseError error;
    bool wrote;
    Bytes out;
    Plan plan;
};

Cleaned Clean(const Bytes& in) {
    Cleaned c;
    MemoryOutput out;
    c.error = CleanInMemory(in.data(), in.size(), &c.plan, &out, &c.wrote);
    c.out = out.bytes;
    return c;
}

TEST(Cleaner, RemovesEveryKindOfMetadataAndKeepsPictureSegments) {
    std::vector<Bytes> icc = IccChunks(3);
    Bytes trailer = Cat({kSoi, B("preview"), {0xFF, 0xD9}});
    Bytes in = Cat({kSoi, kJfif, AllMetadata(1, false), icc[0], icc[1], icc[2], kAdobe,
                    FakeTables(), FakeScans(), trailer});
    Cleaned c = Clean(in);
    ASSERT_EQ(c.error, ParseError::None);
    ASSERT_TRUE(c.wrote);
    // ICC chunks in their order; orientation 1 needs no Exif at all.
    EXPECT_EQ(c.out, Cat({kSoi, kJfif, icc[0], icc[1], icc[2], kAdobe, FakeTables(), FakeScans()}));
    EXPECT_EQ(c.plan.size_after, c.out.size());
    EXPECT_EQ(c.plan.removed[(int)Kind::Exif], ExifSegment(1, false).size());
    EXPECT_EQ(c.plan.removed[(int)Kind::Trailer], trailer.size());
    // JFXX APP0, APP3, APP12, non-Adobe APP14 and APP15.
    EXPECT_EQ(c.plan.removed[(int)Kind::OtherApp], 10u + 8 + 11 + 12 + 9);
    for (Kind k : {Kind::Xmp, Kind::Iptc, Kind::Mpf, Kind::FlashPix, Kind::Comment}) {
        EXPECT_GT(c.plan.removed[(int)k], 0u) << (int)k;
    }
    EXPECT_FALSE(c.plan.truncated);
}

TEST(Cleaner, OrientationSurvivesAsMinimalExifInBothByteOrders) {
    for (bool be : {false, true}) {
        for (int o = 2; o <= 8; o++) {
            Bytes in = Cat(
                {kSoi, kJfif, ExifSegment(o, be), Seg(0xFE, B("c")), FakeTables(), FakeScans()});
            Cleaned c = Clean(in);
            ASSERT_TRUE(c.wrote);
            Bytes exif = MinimalExifSegment({o, be});
            // In place of the original Exif block, right after JFIF.
            EXPECT_EQ(c.out, Cat({kSoi, kJfif, exif, FakeTables(), FakeScans()}));
            Orientation back = ReadOrientation(exif.data() + 4, exif.size() - 4);
            EXPECT_EQ(back.value, o);
            EXPECT_EQ(back.big_endian, be);
            // A second run finds nothing left to do.
            EXPECT_FALSE(Clean(c.out).wrote) << o << be;
        }
    }
}

TEST(Cleaner, LeavesCleanPictureAlone) {
    Bytes clean = Cat({kSoi, kJfif, IccChunks(2)[0], kAdobe, FakeTables(), FakeScans()});
    Cleaned c = Clean(clean);
    EXPECT_EQ(c.error, ParseError::None);
    EXPECT_FALSE(c.wrote);
    EXPECT_FALSE(c.plan.RemovesAnything());
    // Only a trailer: found after the header pass said "nothing".
    Cleaned t = Clean(Cat({clean, B("vendor trailer")}));
    ASSERT_TRUE(t.wrote);
    EXPECT_EQ(t.out, clean);
}

TEST(Cleaner, FillBytesAndTruncatedPictureData) {
    // Fill bytes before a kept marker stay with it; before a removed one, go.
    Bytes fill_dqt = Cat({{0xFF, 0xFF}, FakeTables()});
    Bytes in = Cat({kSoi, {0xFF}, Seg(0xFE, B("x")), fill_dqt, FakeWithoutEoi()});
    Cleaned c = Clean(in);
    ASSERT_TRUE(c.wrote);
    EXPECT_EQ(c.out, Cat({kSoi, fill_dqt, FakeWithoutEoi()}));
    EXPECT_TRUE(c.plan.truncated);
    EXPECT_EQ(c.plan.removed[(int)Kind::Trailer], 0u);
}

TEST(Cleaner, RefusesHeadersItCannotParse) {
    Bytes tables = FakeTables();
    Bytes scans = FakeScans();
    Bytes exif = ExifSegment(6, false);
    Bytes cut_exif(exif.begin(), exif.end() - 10);
    struct Case {
        const char* name;
        Bytes in;
        ParseError want;
    } cases[] = {
        {"empty", {}, ParseError::NotJpeg},
        {"png", B("\x89PNG\r\n\x1a\n"), ParseError::NotJpeg},
        {"only SOI", kSoi, ParseError::NoScan},
        {"length past end", Cat({kSoi, cut_exif}), ParseError::SegmentPastEnd},
        {"length cut", Cat({kSoi, {0xFF, 0xE1, 0x01}}), ParseError::SegmentPastEnd},
        {"length below 2", Cat({kSoi, {0xFF, 0xFE, 0x00, 0x01}, tables, scans}),
         ParseError::BadLength},
        {"garbage", Cat({kSoi, exif, {0x00}, tables, scans}), ParseError::Garbage},
        {"FF00 in header", Cat({kSoi, {0xFF, 0x00}, tables, scans}), ParseError::Garbage},
        {"second SOI", Cat({kSoi, exif, kSoi, tables, scans}), ParseError::UnexpectedMarker},
        {"EOI before scan", Cat({kSoi, exif, tables, {0xFF, 0xD9}}), ParseError::NoScan},
        {"no SOS", Cat({kSoi, exif, tables}), ParseError::NoScan},
        {"no frame", Cat({kSoi, exif, Seg(0xDA, {1, 1, 0, 0, 63, 0}), {0xFF, 0xD9}}),
         ParseError::NoFrame},
    };
    for (const Case& k : cases) {
        Cleaned c = Clean(k.in);
        EXPECT_EQ(c.error, k.want) << k.name;
        EXPECT_FALSE(c.wrote) << k.name;
        EXPECT_TRUE(c.out.empty()) << k.name;
    }
}

TEST(Cleaner, RefusesEndlessSegmentLists) {
    Bytes in = kSoi;
    Bytes com = Seg(0xFE, {});
    for (size_t i = 0; i < kMaxSegments; i++) in.insert(in.end(), com.begin(), com.end());
    in = Cat({in, FakeTables(), FakeScans()});
    EXPECT_EQ(Clean(in).error, ParseError::TooManySegments);
}

TEST(ExifOrientation, ReadsOnlyWhatIsThere) {
    auto read = [](const Bytes& seg) { return ReadOrientation(seg.data() + 4, seg.size() - 4); };
    Bytes bad_offset = ExifSegment(6, true);
    bad_offset[4 + 6 + 7] = 0xF0;  // IFD0 past the end
    Bytes cut = ExifSegment(6, true);
    cut.resize(30);
    for (const Bytes& b : {ExifSegment(0, false), ExifSegment(9, false), bad_offset, cut}) {
        EXPECT_EQ(read(b).value, 0);
    }
}

}  // namespace
