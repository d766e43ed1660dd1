// UTF-16 <-> UTF-8 for Windows paths and texts. Unpaired surrogates, which
// Windows allows in file names, are carried as three-byte sequences (WTF-8)
// so that every name survives the round trip.
#pragma once

#include <string>

namespace jhead {

std::string Utf16ToUtf8(const std::u16string& s);
std::u16string Utf8ToUtf16(const std::string& s);

}  // namespace jhead
