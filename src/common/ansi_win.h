// The one conversion of UTF-16 texts to the system's ANSI code page, for
// the texts that cross to disk and the registry, in the program and its
// tool alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The text in the ANSI code page, or nullopt when the code page cannot
// hold it exactly. No best-fit mapping: "²" never turns into "2", which
// would name another file.
std::optional<std::string> ToAnsi(std::wstring_view text);

// The text in the ANSI code page for people to read, every character the
// code page cannot hold shown as "?" (never as a best-fit look-alike).
std::string ToAnsiReadable(std::wstring_view text);

// Text in the ANSI code page back to UTF-16.
std::wstring FromAnsi(std::string_view bytes);

}  // namespace velmora
