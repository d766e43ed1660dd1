// The end of the main picture and the metadata between its scans, however
// the stream is cut into chunks.
#include <gtest/gtest.h>

#include "eoi_finder.h"
#include "jpeg_samples.h"

using namespace jhead;
using namespace jhead_test;

namespace {

struct Walk {
    size_t length;  // data.size() + 1 when no EOI was found
    std::vector<uint64_t> cuts;  // offset and size of each
};

Walk Feed(const Bytes& data, size_t chunk) {
    EoiFinder f(100);
    Walk w{data.size() + 1, {}};
    size_t total = 0;
    for (size_t at = 0; at < data.size() && !f.found(); at += chunk) {
        size_t n = std::min(chunk, data.size() - at);
        total += f.Feed(data.data() + at, n);
    }
    if (f.found()) w.length = total;
    for (const Cut& c : f.cuts()) w.cuts.insert(w.cuts.end(), {c.offset - 100, c.size});
    return w;
}

TEST(EoiFinder, SameEndAndCutsForEveryChunkSize) {
    Bytes scans = FakeScans();
    Bytes after_sos(scans.begin() + 10, scans.end());
    Bytes com = Seg(0xFE, B("abc"));
    struct Case {
        const char* name;
        Bytes data;
        Walk want;
    } cases[] = {
        // Stuffed FF00, RST, fill bytes and a table holding FF D9 between scans.
        {"two scans", Cat({after_sos, B("trailer\xFF\xD9")}), {after_sos.size(), {}}},
        {"no EOI", Bytes(after_sos.begin(), after_sos.end() - 2), {after_sos.size() - 1, {}}},
        {"fill before EOI", {0x11, 0xFF, 0xFF, 0xFF, 0xD9, 0x22}, {5, {}}},
        {"damaged length", {0x11, 0xFF, 0xC4, 0x00, 0x00, 0x22, 0xFF, 0xD9}, {8, {}}},
        {"segment hides EOI", {0xFF, 0xFE, 0x00, 0x04, 0xFF, 0xD9, 0xFF, 0xD9}, {8, {0, 6}}},
        // Markers without a length: TEM, RST0..7, SOI.
        {"no length", {0xFF, 0x01, 0xFF, 0xD8, 0xFF, 0xD7, 0xFF, 0xD0, 0xFF, 0xD9}, {10, {}}},
        {"ends on FF", {0x11, 0xFF}, {3, {}}},
        {"comments", Cat({{0x11}, com, {0xFF, 0xFF}, com, {0xFF, 0xC4, 0, 2, 0xFF, 0xD9}}),
         {1 + 7 + 2 + 7 + 6, {1, 7, 10, 7}}},
        {"comment before data", Cat({{0x11}, com, {0x22, 0xFF, 0xD9}}), {11, {}}},
        {"comment before RST", Cat({{0x11}, com, {0xFF, 0xD0, 0xFF, 0xD9}}), {12, {}}},
    };
    for (const Case& c : cases) {
        for (size_t chunk : {1, 2, 3, 5, 7, 64}) {
            Walk w = Feed(c.data, chunk);
            EXPECT_EQ(w.length, c.want.length) << c.name << " chunk " << chunk;
            EXPECT_EQ(w.cuts, c.want.cuts) << c.name << " chunk " << chunk;
        }
    }
}

TEST(EoiFinder, StopsTakingBytesAfterEoi) {
    EoiFinder f;
    Bytes a = {0x01, 0xFF, 0xD9, 0x02};
    EXPECT_EQ(f.Feed(a.data(), a.size()), 3u);
    EXPECT_EQ(f.Feed(a.data(), a.size()), 0u);
}

}  // namespace
