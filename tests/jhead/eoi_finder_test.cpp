// The end of the main picture, however the stream is cut into chunks.
#include <gtest/gtest.h>

#include "eoi_finder.h"
#include "jpeg_samples.h"

using namespace jhead;
using namespace jhead_test;

namespace {

// Feeds data in chunks of the given size; returns the picture's length, or
// data.size() + 1 when no EOI was found.
size_t PictureLength(const Bytes& data, size_t chunk) {
    EoiFinder f;
    size_t total = 0;
    for (size_t at = 0; at < data.size(); at += chunk) {
        size_t n = std::min(chunk, data.size() - at);
        size_t keep = f.Feed(data.data() + at, n);
        total += keep;
        if (f.found()) return total;
        EXPECT_EQ(keep, n);
    }
    return data.size() + 1;
}

TEST(EoiFinder, SameEndForEveryChunkSize) {
    Bytes scans = FakeScans();
    Bytes after_sos(scans.begin() + 10, scans.end());
    struct Case {
        const char* name;
        Bytes data;
        size_t want;
    } cases[] = {
        // Stuffed FF00, RST, fill bytes and a table holding FF D9 between scans.
        {"two scans", Cat({after_sos, B("trailer\xFF\xD9")}), after_sos.size()},
        {"no EOI", Bytes(after_sos.begin(), after_sos.end() - 2), after_sos.size() - 1},
        {"fill before EOI", {0x11, 0xFF, 0xFF, 0xFF, 0xD9, 0x22}, 5},
        {"damaged length", {0x11, 0xFF, 0xC4, 0x00, 0x00, 0x22, 0xFF, 0xD9}, 8},
        {"segment hides EOI", {0xFF, 0xFE, 0x00, 0x04, 0xFF, 0xD9, 0xFF, 0xD9}, 8},
        {"standalone markers", {0xFF, 0x01, 0xFF, 0xD8, 0xFF, 0xD7, 0xFF, 0xD9}, 8},
        {"ends on FF", {0x11, 0xFF}, 3},
    };
    for (const Case& c : cases) {
        for (size_t chunk : {1, 2, 3, 5, 7, 64}) {
            EXPECT_EQ(PictureLength(c.data, chunk), c.want) << c.name << " chunk " << chunk;
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
