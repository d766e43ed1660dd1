#include "runtime/code_page_win.h"

#include <climits>

#include "common/ansi_win.h"

namespace velmora {

std::optional<std::string> Win32CodePage::ToAnsi(std::wstring_view text) {
    // The system converts at most INT_MAX characters in one call.
    if (text.size() > size_t(INT_MAX)) return std::nullopt;
    return velmora::ToAnsi(text);
}

}  // namespace velmora
