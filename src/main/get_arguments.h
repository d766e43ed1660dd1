// Splits the program's command-line text into file paths.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class Platform;

// Marker that makes GetArguments read the command line itself.
inline constexpr std::wstring_view kCommandMarker = L"$:Command()";

// Blanks outside double quotes separate items; quotes only group and are
// dropped; a tab is an ordinary character; two blanks give an empty item.
std::wstring SplitArguments(std::wstring_view source);

// When `source` equals kCommandMarker it is first replaced, in the caller's
// variable, by the platform's command-line text. Returns the items.
std::vector<std::wstring> GetArguments(Platform& platform, std::wstring& source);
// The same, as one text with the items separated by CR LF.
std::wstring GetArgumentsText(Platform& platform, std::wstring& source);

// Splits `text` at every occurrence of `separator`; an empty text gives no items.
std::vector<std::wstring> SplitText(std::wstring_view text, std::wstring_view separator);

}  // namespace velmora
