// Folder listing and whole-file reading, for the Win32 FileSystem.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/file_system.h"

namespace velmora {

// Every entry of `folder` but "." and "..", read with a handle of its own,
// every name as it is (no code-page round trip).
std::optional<std::vector<FolderEntry>> ListFolderEntries(std::wstring_view folder);
std::optional<std::string> ReadWholeFile(std::wstring_view path);

}  // namespace velmora
