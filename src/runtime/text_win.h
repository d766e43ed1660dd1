// The program's UTF-16 texts in the system's ANSI code page, for the texts
// that cross to disk, the registry and the file dialog.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

std::string ToAnsi(std::wstring_view text);
// The exact ANSI form, or nullopt when the code page cannot hold some
// character: no best-fit look-alike, no "?" in its place.
std::optional<std::string> ToAnsiExact(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

}  // namespace velmora
