// Case folding for comparisons that ignore letter case, the same on every
// platform: Latin, Greek, Cyrillic and full-width Latin letters.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

wchar_t LowerChar(wchar_t c);
std::wstring LowerText(std::wstring_view text);

}  // namespace velmora
