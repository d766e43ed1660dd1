// The patterns the add-files flow's input box suggests.
#pragma once

#include <string>

namespace velmora {

// For the extension of the last picked file: a picture of a kind the tool
// cleans suggests every such kind (one folder often mixes a camera's JPEGs
// with a phone's HEICs and an editor's PNGs); any other kind gets "*." and
// its own extension.
std::wstring SuggestedPatterns(const std::wstring& extension);

}  // namespace velmora
