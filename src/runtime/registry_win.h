// The registry over advapi32's ANSI functions.
#pragma once

#include <windows.h>

#include <map>

#include "runtime/registry.h"

namespace velmora {

class Win32Registry : public Registry {
public:
    Win32Registry() = default;
    ~Win32Registry() override;
    Win32Registry(const Win32Registry&) = delete;
    Win32Registry& operator=(const Win32Registry&) = delete;

    int32_t OpenKey(RegHandle root, std::string_view path, RegHandle& key) override;
    int32_t CreateKey(RegHandle root, std::string_view path, RegHandle& key) override;
    void CloseKey(RegHandle key) override;
    int32_t QueryValue(RegHandle key, std::string_view name, uint32_t& type, char* data,
                       uint32_t& size) override;
    int32_t SetValue(RegHandle key, std::string_view name, uint32_t type,
                     std::string_view data) override;
    int32_t DeleteKey(RegHandle parent, std::string_view name) override;
    int32_t EnumKey(RegHandle key, uint32_t index, char* name, uint32_t size) override;
    int32_t CountEntries(RegHandle key, uint32_t& subkeys, uint32_t& values) override;
    int32_t EnumValue(RegHandle key, uint32_t index, std::string& name, uint32_t& type,
                      std::string& data) override;
    std::optional<std::string> ToCodePage(std::wstring_view text) override;
    std::wstring FromCodePage(std::string_view bytes) override;

private:
    // The system key behind a handle; null for one this registry never gave.
    HKEY Find(RegHandle key) const;
    RegHandle Keep(HKEY key);

    std::map<RegHandle, HKEY> open_;
    RegHandle next_ = 0x100;  // above the predefined roots
};

}  // namespace velmora
