#include "about/version_info_win.h"

#include <windows.h>

#include <vector>

namespace velmora {

namespace {

std::wstring StringValue(std::vector<BYTE>& block, const std::wstring& language,
                         const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    std::wstring key = L"\\StringFileInfo\\" + language + L"\\" + name;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || !value || length == 0) {
        return {};
    }
    // The length counts the terminating NUL.
    std::wstring text(static_cast<const wchar_t*>(value), length);
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

}  // namespace

VersionFacts ReadVersionFacts(const std::wstring& path) {
    VersionFacts facts;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return facts;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return facts;

    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        facts.major = HIWORD(fixed->dwFileVersionMS);
        facts.minor = LOWORD(fixed->dwFileVersionMS);
        facts.revision = LOWORD(fixed->dwFileVersionLS);
    }
    // The texts are in the first language the file lists.
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) &&
        length >= 4) {
        auto* pair = static_cast<const WORD*>(value);
        wchar_t language[9];
        swprintf(language, 9, L"%04x%04x", pair[0], pair[1]);
        facts.productName = StringValue(block, language, L"ProductName");
        facts.description = StringValue(block, language, L"FileDescription");
    }
    return facts;
}

std::wstring RunningExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring RunningExeName() {
    std::wstring path = RunningExePath();
    size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace velmora
