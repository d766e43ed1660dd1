// Text helpers shared by every subsystem. Portable: no platform header.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Splits `text` at every occurrence of `separator`; an empty text gives no
// items, and an empty separator gives the whole text as one item.
std::vector<std::wstring> SplitText(std::wstring_view text, std::wstring_view separator);

// `format` with every "{1}", "{2}" ... replaced by the argument of that
// number; the arguments themselves are not searched again.
std::wstring FormatText(std::wstring_view format, std::initializer_list<std::wstring_view> args);

// Lower case for comparisons that ignore letter case, the same on every
// platform: Latin, Greek, Cyrillic and full-width Latin letters.
std::wstring LowerText(std::wstring_view text);

}  // namespace velmora
