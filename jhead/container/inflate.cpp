#include "container/inflate.h"

#include "platform/byte_order.h"

namespace jhead {

namespace {

// Bits are taken from each byte's lowest first.
struct Bits {
    const uint8_t* p;
    size_t n;
    size_t at = 0;
    uint32_t buf = 0;
    int count = 0;   // bits in buf: always fewer than 8 between calls
    bool ok = true;  // false once a read ran past the end

    uint32_t Get(int need) {
        while (count < need) {
            if (at == n) {
                ok = false;
                return 0;
            }
            buf |= (uint32_t)p[at++] << count;
            count += 8;
        }
        const uint32_t v = buf & ((1u << need) - 1);
        buf >>= need;
        count -= need;
        return v;
    }
    // The rest of the current byte is skipped.
    void Align() { buf = 0, count = 0; }
};

constexpr int kMaxBits = 15;

// A canonical Huffman code: how many codes of each length, and the symbols
// in code order.
struct Huffman {
    uint16_t count[kMaxBits + 1] = {};
    uint16_t symbol[288] = {};

    // False when the lengths ask for more codes than the bits allow.
    bool Build(const uint8_t* lengths, int n) {
        for (int i = 0; i < n; i++) count[lengths[i]]++;
        count[0] = 0;
        int left = 1;
        for (int len = 1; len <= kMaxBits; len++) {
            left = 2 * left - count[len];
            if (left < 0) return false;
        }
        uint16_t next[kMaxBits + 1] = {};
        for (int len = 1; len < kMaxBits; len++) next[len + 1] = next[len] + count[len];
        for (int i = 0; i < n; i++) {
            if (lengths[i]) symbol[next[lengths[i]]++] = (uint16_t)i;
        }
        return true;
    }
    // The next symbol, or -1 for damage.
    int Decode(Bits& b) const {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxBits; len++) {
            code |= (int)b.Get(1);
            if (!b.ok) return -1;
            if (code - first < count[len]) return symbol[index + code - first];
            index += count[len];
            first = (first + count[len]) << 1;
            code <<= 1;
        }
        return -1;
    }
};

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// The symbols of one compressed block, up to its end code.
bool Codes(Bits& b, const Huffman& literals, const Huffman& distances, size_t limit,
           std::vector<uint8_t>* out) {
    for (;;) {
        int s = literals.Decode(b);
        if (s < 0) return false;
        if (s < 256) {
            if (out->size() >= limit) return false;
            out->push_back((uint8_t)s);
            continue;
        }
        if (s == 256) return true;
        s -= 257;
        if (s >= 29) return false;
        const size_t length = kLengthBase[s] + b.Get(kLengthExtra[s]);
        const int d = distances.Decode(b);
        if (d < 0 || d >= 30) return false;
        const size_t back = kDistanceBase[d] + b.Get(kDistanceExtra[d]);
        if (!b.ok || back > out->size() || length > limit - out->size()) return false;
        for (size_t i = 0; i < length; i++) {
            const uint8_t c = (*out)[out->size() - back];
            out->push_back(c);
        }
    }
}

// A block kept as it is: its length, the length's complement, the bytes.
bool Stored(Bits& b, size_t limit, std::vector<uint8_t>* out) {
    b.Align();
    if (b.n - b.at < 4) return false;
    const uint8_t* h = b.p + b.at;
    const size_t length = (size_t)GetLe(h, 2), complement = (size_t)GetLe(h + 2, 2);
    b.at += 4;
    if (length != (~complement & 0xFFFF)) return false;
    if (b.n - b.at < length || length > limit - out->size()) return false;
    out->insert(out->end(), b.p + b.at, b.p + b.at + length);
    b.at += length;
    return true;
}

bool Fixed(Bits& b, size_t limit, std::vector<uint8_t>* out) {
    uint8_t lengths[288 + 30];
    for (int i = 0; i < 288; i++) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    for (int i = 288; i < 288 + 30; i++) lengths[i] = 5;
    Huffman literals, distances;
    literals.Build(lengths, 288);
    distances.Build(lengths + 288, 30);
    return Codes(b, literals, distances, limit, out);
}

// The code lengths, themselves Huffman-coded, then the block.
bool Dynamic(Bits& b, size_t limit, std::vector<uint8_t>* out) {
    static const uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                       11, 4,  12, 3, 13, 2, 14, 1, 15};
    const int nlit = (int)b.Get(5) + 257, ndist = (int)b.Get(5) + 1, ncode = (int)b.Get(4) + 4;
    uint8_t code_lengths[19] = {};
    for (int i = 0; i < ncode; i++) code_lengths[kOrder[i]] = (uint8_t)b.Get(3);
    Huffman code;
    if (!b.ok || nlit > 286 || ndist > 30 || !code.Build(code_lengths, 19)) return false;
    uint8_t lengths[286 + 30];
    for (int i = 0; i < nlit + ndist;) {
        const int s = code.Decode(b);
        if (s < 0) return false;
        if (s < 16) {
            lengths[i++] = (uint8_t)s;
            continue;
        }
        // 16 repeats the last length; 17 and 18 repeat zero.
        if (s == 16 && i == 0) return false;
        const uint8_t value = s == 16 ? lengths[i - 1] : 0;
        const int repeat = s == 16   ? 3 + (int)b.Get(2)
                           : s == 17 ? 3 + (int)b.Get(3)
                                     : 11 + (int)b.Get(7);
        if (!b.ok || i + repeat > nlit + ndist) return false;
        for (int r = 0; r < repeat; r++) lengths[i++] = value;
    }
    // A block without its end code could never end.
    if (lengths[256] == 0) return false;
    Huffman literals, distances;
    if (!literals.Build(lengths, nlit) || !distances.Build(lengths + nlit, ndist)) return false;
    return Codes(b, literals, distances, limit, out);
}

uint32_t Adler32(const uint8_t* p, size_t n) {
    uint32_t a = 1, s = 0;
    for (size_t i = 0; i < n; i++) {
        a = (a + p[i]) % 65521;
        s = (s + a) % 65521;
    }
    return s << 16 | a;
}

}  // namespace

bool Inflate(const uint8_t* data, size_t n, size_t limit, std::vector<uint8_t>* out) {
    // The header: deflate with a window up to 32 KiB, its check, no dictionary.
    if (n < 2 || (data[0] & 0x0F) != 8 || data[0] >> 4 > 7 || (data[0] << 8 | data[1]) % 31 != 0 ||
        (data[1] & 0x20)) {
        return false;
    }
    out->clear();
    Bits b{data + 2, n - 2};
    for (bool last = false; !last;) {
        last = b.Get(1);
        const uint32_t type = b.Get(2);
        bool ok = b.ok;
        if (type == 0) ok = ok && Stored(b, limit, out);
        if (type == 1) ok = ok && Fixed(b, limit, out);
        if (type == 2) ok = ok && Dynamic(b, limit, out);
        if (type == 3 || !ok) return false;
    }
    b.Align();
    if (b.n - b.at < 4) return false;
    return GetBe(b.p + b.at, 4) == Adler32(out->data(), out->size());
}

bool InflateText(const uint8_t* data, size_t n, std::vector<uint8_t>* out, Findings* f) {
    if (Inflate(data, n, 16 << 20, out)) return true;
    f->Add(Private::Text);
    f->unread = true;
    return false;
}

}  // namespace jhead
