// Pure text operations on paths; neither touches the file system. "\" and
// "/" both separate folders, and a "?" starts a query part that is cut off.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

enum class PathPart : int16_t {
    Name = 0,            // file name with its extension
    NameWithoutExt = 1,  // file name without its extension
    Extension = 2,       // extension without the dot; empty when there is none
    PathWithoutExt = 3,  // whole path without the extension of its last part
};

// The requested part of `path`. Other even modes act as Name, other odd ones
// as NameWithoutExt. The extension is what follows the last "." of the whole
// text, folder names included.
std::wstring GetPathPart(std::wstring path, int16_t mode);
inline std::wstring GetPathPart(std::wstring path, PathPart part) {
    return GetPathPart(std::move(path), static_cast<int16_t>(part));
}

// The folder holding `path`, without a trailing separator; empty for a path
// without one. A path written with "/" gets its answer with "/".
std::wstring GetParentDir(std::wstring path);

}  // namespace velmora
