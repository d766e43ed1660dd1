#include "common/paths.h"

namespace velmora {

namespace {

// "." and ".." parts are resolved by the normal form only.
bool HasRelativeParts(std::wstring_view path) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring_view::npos) end = path.size();
        std::wstring_view part = path.substr(start, end - start);
        if (part == L"." || part == L"..") return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view path) {
    const std::wstring plain(path);
    if (path.find(L'/') != std::wstring_view::npos || HasRelativeParts(path)) return plain;
    const bool drive =
        path.size() >= 3 && path[1] == L':' && path[2] == L'\\' &&
        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    if (drive) return L"\\\\?\\" + plain;
    const bool unc = path.size() > 2 && path.substr(0, 2) == L"\\\\" && path[2] != L'?' &&
                     path[2] != L'.' && path[2] != L'\\';
    if (unc) return L"\\\\?\\UNC\\" + std::wstring(path.substr(2));
    return plain;
}

}  // namespace velmora
