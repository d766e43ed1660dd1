// What the About box reads about the running executable.
#pragma once

#include <string>

#include "about/about_box.h"

namespace velmora {

// The product name, version numbers and description recorded in the
// version information of the executable at `path`; what is missing stays
// empty or zero.
VersionFacts ReadVersionFacts(const std::wstring& path);

// The running executable's full path, and its file name without extension.
std::wstring RunningExePath();
std::wstring RunningExeName();

}  // namespace velmora
