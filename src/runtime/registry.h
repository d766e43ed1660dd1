// The system registry as its ANSI functions see it: keys addressed by a
// handle and a relative path, names and text data in the system's ANSI code
// page, every outcome a status code. Win32 implements it over advapi32
// (registry_win.cpp); tests use an in-memory registry with the same rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace velmora {

// A key: one of the predefined roots below, or one opened by the registry.
using RegHandle = uintptr_t;
enum RegRoot : RegHandle {
    kRegClassesRoot = 1,
    kRegCurrentUser,
    kRegLocalMachine,
    kRegUsers,
};

// Outcomes, with the registry's own numbers.
enum RegStatus : int32_t {
    kRegOk = 0,
    kRegFileNotFound = 2,
    kRegAccessDenied = 5,
    kRegBadPathname = 161,
    kRegMoreData = 234,
    kRegNoMoreItems = 259,
    kRegNoTranslation = 1113,  // a name the ANSI functions cannot carry
};

enum RegType : uint32_t {
    kRegSz = 1,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens root\path for reading. A path that begins with a backslash
    // fails with kRegBadPathname; the empty path opens root itself.
    virtual int32_t OpenKey(RegHandle root, std::string_view path, RegHandle& key) = 0;
    // Opens root\path for writing, creating every missing key on the way.
    virtual int32_t CreateKey(RegHandle root, std::string_view path, RegHandle& key) = 0;
    virtual void CloseKey(RegHandle key) = 0;
    // Copies the value's data into `data` when `size` bytes hold it, else
    // fails with kRegMoreData (with a null `data`: succeeds). Either way
    // `size` receives the bytes the data needs and `type` its type.
    virtual int32_t QueryValue(RegHandle key, std::string_view name, uint32_t& type, char* data,
                               uint32_t& size) = 0;
    // Creates or replaces the value.
    virtual int32_t SetValue(RegHandle key, std::string_view name, uint32_t type,
                             std::string_view data) = 0;
    // Deletes the subkey `name` of `parent` when it has no subkeys itself
    // (kRegAccessDenied when it has).
    virtual int32_t DeleteKey(RegHandle parent, std::string_view name) = 0;
    // The NUL-terminated name of the subkey at `index`, in order of name;
    // kRegNoMoreItems past the last one, kRegMoreData when `size` is short.
    virtual int32_t EnumKey(RegHandle key, uint32_t index, char* name, uint32_t size) = 0;
    virtual int32_t CountEntries(RegHandle key, uint32_t& subkeys, uint32_t& values) = 0;
    // The value at `index`: its name, type and data, as stored;
    // kRegNoMoreItems past the last one.
    virtual int32_t EnumValue(RegHandle key, uint32_t index, std::string& name, uint32_t& type,
                              std::string& data) = 0;

    // Texts in the registry's code page; nullopt when it cannot hold a
    // character exactly (no look-alike is ever put in its place).
    virtual std::optional<std::string> ToCodePage(std::wstring_view text) = 0;
    virtual std::wstring FromCodePage(std::string_view bytes) = 0;
};

// Owns an opened key; closes it once.
class RegKey {
public:
    explicit RegKey(Registry& registry) : registry_(&registry) {}
    RegKey(RegKey&& other) noexcept
        : registry_(other.registry_), handle_(std::exchange(other.handle_, 0)) {}
    RegKey& operator=(RegKey&&) = delete;
    ~RegKey() {
        if (handle_) registry_->CloseKey(handle_);
    }

    RegHandle get() const { return handle_; }
    // For the opening call to fill in; the key must not hold one yet.
    RegHandle& out() { return handle_; }

private:
    Registry* registry_;
    RegHandle handle_ = 0;
};

}  // namespace velmora
