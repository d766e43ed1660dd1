// The MD5 message digest (RFC 1321) of a text's ANSI bytes, as 32 uppercase
// hexadecimal digits: the form the advertisement panel's exemption list is
// stored in.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

class CodePage;
class Dialogs;

using Md5Digest = std::array<uint8_t, 16>;

// Digest of any number of bytes.
Md5Digest Md5OfBytes(std::string_view bytes);

// The 16 bytes as 32 uppercase hexadecimal digits, in digest order.
std::wstring DigestToHex(const Md5Digest& digest);

// Digest of the text's bytes in the ANSI code page. A text that cannot be
// converted gets a critical message and the empty text.
std::wstring MD5OfString(std::wstring_view text, CodePage& codePage, Dialogs& dialogs);

}  // namespace velmora
