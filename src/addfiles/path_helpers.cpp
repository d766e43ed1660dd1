#include "addfiles/path_helpers.h"

#include <algorithm>

namespace velmora {

namespace {

std::wstring BeforeFirstQuery(const std::wstring& text) { return text.substr(0, text.find(L'?')); }

}  // namespace

std::wstring GetPathPart(std::wstring path, int16_t mode) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    path = BeforeFirstQuery(path);

    if (mode == static_cast<int16_t>(PathPart::Extension)) {
        const size_t dot = path.rfind(L'.');
        return dot == std::wstring::npos ? std::wstring() : path.substr(dot + 1);
    }

    std::wstring part = path;
    if (mode != static_cast<int16_t>(PathPart::PathWithoutExt)) {
        const size_t slash = path.rfind(L'\\');
        if (slash != std::wstring::npos) part = path.substr(slash + 1);
    }
    // Odd modes cut the extension; a name without "." stays whole.
    if (mode % 2 != 0) {
        const size_t dot = part.rfind(L'.');
        if (dot != std::wstring::npos) part.resize(dot);
    }
    return part;
}

std::wstring GetParentDir(std::wstring path) {
    const bool forward = path.find(L'/') != std::wstring::npos;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    const size_t slash = path.rfind(L'\\');
    std::wstring parent = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    if (forward) std::replace(parent.begin(), parent.end(), L'\\', L'/');
    return parent;
}

}  // namespace velmora
