// The patterns the add-files flow's input box suggests.
#pragma once

#include <string>

namespace velmora {

// For the extension of the last picked file: a JPEG's pictures go by either
// of its two extensions, so both are suggested ("*.jpg;*.jpeg"); any other
// kind gets "*." and its own extension.
std::wstring SuggestedPatterns(const std::wstring& extension);

}  // namespace velmora
