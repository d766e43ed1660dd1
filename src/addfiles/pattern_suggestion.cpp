#include "addfiles/pattern_suggestion.h"

#include "addfiles/add_files_flow.h"
#include "common/wildcard.h"

namespace velmora {

std::wstring SuggestedPatterns(const std::wstring& extension) {
    // A file of that extension matches the patterns whatever its letter case.
    if (MatchPatterns(L"x." + extension, kDroppedFolderPatterns)) return kDroppedFolderPatterns;
    return L"*." + extension;
}

}  // namespace velmora
