#include "about/md5.h"

#include <cstring>

#include "about/about_messages.h"
#include "runtime/code_page.h"
#include "runtime/dialogs.h"

namespace velmora {

namespace {

// Per-step left rotations, four per round.
constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

// floor(abs(sin(i + 1)) * 2^32) for the 64 steps.
constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

struct Md5State {
    uint32_t a = 0x67452301, b = 0xefcdab89, c = 0x98badcfe, d = 0x10325476;

    void Transform(const uint8_t* block) {
        uint32_t m[16];
        for (int i = 0; i < 16; ++i) {
            m[i] = uint32_t(block[4 * i]) | uint32_t(block[4 * i + 1]) << 8 |
                   uint32_t(block[4 * i + 2]) << 16 | uint32_t(block[4 * i + 3]) << 24;
        }
        uint32_t aa = a, bb = b, cc = c, dd = d;
        for (int i = 0; i < 64; ++i) {
            uint32_t f;
            int word;
            switch (i / 16) {
                case 0:
                    f = (bb & cc) | (~bb & dd);
                    word = i;
                    break;
                case 1:
                    f = (bb & dd) | (cc & ~dd);
                    word = (5 * i + 1) % 16;
                    break;
                case 2:
                    f = bb ^ cc ^ dd;
                    word = (3 * i + 5) % 16;
                    break;
                default:
                    f = cc ^ (bb | ~dd);
                    word = (7 * i) % 16;
                    break;
            }
            uint32_t next = bb + RotateLeft(aa + f + kSine[i] + m[word], kShift[i / 16][i % 4]);
            aa = dd;
            dd = cc;
            cc = bb;
            bb = next;
        }
        a += aa;
        b += bb;
        c += cc;
        d += dd;
    }
};

void PutWordLittleEndian(uint32_t word, uint8_t* out) {
    for (int i = 0; i < 4; ++i) out[i] = uint8_t(word >> (8 * i));
}

}  // namespace

Md5Digest Md5OfBytes(std::string_view bytes) {
    Md5State state;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    size_t whole = bytes.size() - bytes.size() % 64;
    for (size_t offset = 0; offset < whole; offset += 64) state.Transform(data + offset);

    // The tail, a 0x80 byte, zeros, and the length in bits (modulo 2^64)
    // little-endian: one block, or two when the tail leaves no room for it.
    uint8_t last[128] = {};
    size_t tail = bytes.size() - whole;
    if (tail) std::memcpy(last, data + whole, tail);
    last[tail] = 0x80;
    size_t padded = tail < 56 ? 64 : 128;
    uint64_t bits = uint64_t(bytes.size()) * 8;
    for (int i = 0; i < 8; ++i) last[padded - 8 + i] = uint8_t(bits >> (8 * i));
    for (size_t offset = 0; offset < padded; offset += 64) state.Transform(last + offset);

    Md5Digest digest;
    PutWordLittleEndian(state.a, &digest[0]);
    PutWordLittleEndian(state.b, &digest[4]);
    PutWordLittleEndian(state.c, &digest[8]);
    PutWordLittleEndian(state.d, &digest[12]);
    return digest;
}

std::wstring DigestToHex(const Md5Digest& digest) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring hex;
    for (uint8_t byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

std::wstring MD5OfString(std::wstring_view text, CodePage& codePage, Dialogs& dialogs) {
    std::optional<std::string> bytes = codePage.ToAnsi(text);
    if (!bytes) {
        Message message;
        message.text = AboutMessage(AboutMsg::TextNotConvertible);
        message.icon = MsgIcon::Critical;
        dialogs.MsgBox(message);
        return {};
    }
    return DigestToHex(Md5OfBytes(*bytes));
}

}  // namespace velmora
