// Path text helpers shared by the program and its tool. Portable.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The "\\?\" form of an absolute path, which Windows accepts past 260
// characters: "C:\a" gives "\\?\C:\a", "\\server\share\a" gives
// "\\?\UNC\server\share\a". Relative and drive-relative paths, paths with
// "/", "." or ".." parts (which that form does not resolve) and paths
// already in a device form are returned as they are.
std::wstring ExtendedLengthPath(std::wstring_view path);

}  // namespace velmora
