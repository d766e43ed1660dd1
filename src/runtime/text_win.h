// The program's UTF-16 texts in the system's ANSI code page, for the texts
// that cross to disk, the registry and the file dialog.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

std::string ToAnsi(std::wstring_view text);

}  // namespace velmora
