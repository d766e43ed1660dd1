#include "runtime/text_win.h"

#include <windows.h>

namespace velmora {

std::string ToAnsi(std::wstring_view text) {
    // No best fit: a character the code page lacks becomes its default
    // character, never a look-alike that names another file.
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()),
                                nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

}  // namespace velmora
