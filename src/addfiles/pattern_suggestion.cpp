#include "addfiles/pattern_suggestion.h"

#include "addfiles/add_files_flow.h"
#include "common/text.h"

namespace velmora {

std::wstring SuggestedPatterns(const std::wstring& extension) {
    const std::wstring lower = LowerText(extension);
    if (lower == L"jpg" || lower == L"jpeg") return kDroppedFolderPatterns;
    return L"*." + extension;
}

}  // namespace velmora
