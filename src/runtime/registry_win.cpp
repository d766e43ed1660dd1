#include "runtime/registry_win.h"

#include "common/ansi_win.h"

namespace velmora {

namespace {

// The ANSI functions take NUL-terminated names.
std::string Sz(std::string_view text) { return std::string(text); }

}  // namespace

Win32Registry::~Win32Registry() {
    for (auto& [handle, key] : open_) RegCloseKey(key);
}

HKEY Win32Registry::Find(RegHandle key) const {
    switch (key) {
        case kRegClassesRoot:
            return HKEY_CLASSES_ROOT;
        case kRegCurrentUser:
            return HKEY_CURRENT_USER;
        case kRegLocalMachine:
            return HKEY_LOCAL_MACHINE;
        case kRegUsers:
            return HKEY_USERS;
    }
    auto it = open_.find(key);
    return it == open_.end() ? nullptr : it->second;
}

RegHandle Win32Registry::Keep(HKEY key) {
    open_[next_] = key;
    return next_++;
}

int32_t Win32Registry::OpenKey(RegHandle root, std::string_view path, RegHandle& key) {
    HKEY parent = Find(root);
    if (!parent) return ERROR_INVALID_HANDLE;
    HKEY opened = nullptr;
    LONG r = RegOpenKeyExA(parent, Sz(path).c_str(), 0, KEY_READ, &opened);
    if (r == ERROR_SUCCESS) key = Keep(opened);
    return r;
}

int32_t Win32Registry::CreateKey(RegHandle root, std::string_view path, RegHandle& key) {
    HKEY parent = Find(root);
    if (!parent) return ERROR_INVALID_HANDLE;
    HKEY opened = nullptr;
    LONG r = RegCreateKeyA(parent, Sz(path).c_str(), &opened);
    if (r == ERROR_SUCCESS) key = Keep(opened);
    return r;
}

void Win32Registry::CloseKey(RegHandle key) {
    auto it = open_.find(key);
    if (it == open_.end()) return;
    RegCloseKey(it->second);
    open_.erase(it);
}

int32_t Win32Registry::QueryValue(RegHandle key, std::string_view name, uint32_t& type, char* data,
                                  uint32_t& size) {
    HKEY k = Find(key);
    if (!k) return ERROR_INVALID_HANDLE;
    DWORD t = type, n = size;
    LONG r = RegQueryValueExA(k, Sz(name).c_str(), nullptr, &t, reinterpret_cast<BYTE*>(data), &n);
    type = t;
    size = n;
    return r;
}

int32_t Win32Registry::SetValue(RegHandle key, std::string_view name, uint32_t type,
                                std::string_view data) {
    HKEY k = Find(key);
    if (!k) return ERROR_INVALID_HANDLE;
    return RegSetValueExA(k, Sz(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          DWORD(data.size()));
}

int32_t Win32Registry::DeleteKey(RegHandle parent, std::string_view name) {
    HKEY k = Find(parent);
    if (!k) return ERROR_INVALID_HANDLE;
    return RegDeleteKeyA(k, Sz(name).c_str());
}

int32_t Win32Registry::EnumKey(RegHandle key, uint32_t index, char* name, uint32_t size) {
    HKEY k = Find(key);
    if (!k) return ERROR_INVALID_HANDLE;
    return RegEnumKeyA(k, index, name, size);
}

int32_t Win32Registry::CountEntries(RegHandle key, uint32_t& subkeys, uint32_t& values) {
    HKEY k = Find(key);
    if (!k) return ERROR_INVALID_HANDLE;
    DWORD s = 0, v = 0;
    LONG r = RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, &s, nullptr, nullptr, &v, nullptr,
                              nullptr, nullptr, nullptr);
    subkeys = s;
    values = v;
    return r;
}

int32_t Win32Registry::EnumValue(RegHandle key, uint32_t index, std::string& name, uint32_t& type,
                                 std::string& data) {
    HKEY k = Find(key);
    if (!k) return ERROR_INVALID_HANDLE;
    DWORD maxName = 0, maxData = 0;
    LONG r = RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              &maxName, &maxData, nullptr, nullptr);
    if (r != ERROR_SUCCESS) return r;
    // The longest name counts characters; in the code page one may take two
    // bytes. Room for the terminator too.
    DWORD nameSize = maxName * 2 + 1, dataSize = maxData, t = 0;
    name.assign(nameSize, '\0');
    data.assign(dataSize + 1, '\0');
    r = RegEnumValueA(k, index, name.data(), &nameSize, nullptr, &t,
                      reinterpret_cast<BYTE*>(data.data()), &dataSize);
    if (r != ERROR_SUCCESS) return r;
    name.resize(nameSize);
    data.resize(dataSize);
    type = t;
    return r;
}

std::optional<std::string> Win32Registry::ToCodePage(std::wstring_view text) {
    return ToAnsi(text);
}

std::wstring Win32Registry::FromCodePage(std::string_view bytes) { return FromAnsi(bytes); }

}  // namespace velmora
