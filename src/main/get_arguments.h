// Splits the program's command-line text into file paths.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Blanks outside double quotes separate items; quotes only group and are
// dropped; a tab is an ordinary character; two blanks give an empty item.
// An empty text gives no items.
std::vector<std::wstring> GetArguments(std::wstring_view commandLine);

}  // namespace velmora
