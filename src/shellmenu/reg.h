// `reg`: reads and writes registry values, deletes key trees and lists
// subkeys, each call opening and closing its own keys. Failures are never
// raised: a read returns its default, the others stop, and RegLastStatus()
// keeps the code of the last registry call.
//
// The classes root is a view: a read takes the per-user key
// (HKEY_CURRENT_USER\Software\Classes\...) when it exists, else the
// machine's; writes and deletes go to the per-user keys, which a user may
// change without administrator rights. Windows merges the two itself, Wine
// does not, so the view is built here to behave the same on both.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runtime/registry.h"

namespace velmora {

// Nothing, a text, a 32-bit integer or bytes.
using RegValue = std::variant<std::monostate, std::wstring, int32_t, std::vector<uint8_t>>;

// Status for an empty path (read, write) or key name (tree delete).
inline constexpr int32_t kRegEmptyPath = -1002;

class Reg {
public:
    explicit Reg(Registry& registry) : registry_(registry) {}

    // Texts (kRegSz, kRegMultiSz: lines joined by CR LF) come back as text
    // whatever the value's type; any other `type` reads 4 bytes as an
    // integer and receives the value's actual type.
    RegValue GetRegValue(RegHandle root, std::wstring_view path, std::wstring_view name,
                         uint32_t& type, const RegValue& fallback = {});
    // Creates the key path on the way. kRegSz, kRegMultiSz, kRegDword and
    // kRegBinary are written; other types write nothing.
    void SetRegValue(RegHandle root, std::wstring_view path, std::wstring_view name,
                     const RegValue& value, uint32_t type);
    // Deletes parent\name with all its subkeys, the deepest first.
    void DeleteRegKeyTree(RegHandle root, std::wstring_view parent, std::wstring_view name);
    // Copies every value of root\from (name, type and bytes as stored) and
    // every subkey, the whole tree, into root\to, creating keys on the way.
    void CopyRegKeyTree(RegHandle root, std::wstring_view from, std::wstring_view to);
    bool RegKeyExists(RegHandle root, std::wstring_view path);
    // The names of all subkeys (index -1) or of the one at `index`.
    std::vector<std::wstring> EnumRegSubKeys(RegHandle root, std::wstring_view path,
                                             int32_t index = -1);
    // The part of a text, or of bytes in the code page, before its first NUL.
    std::wstring StripNulls(const RegValue& value);

    int32_t RegLastStatus() const { return status_; }

private:
    // Opens a key; through the classes view for kRegClassesRoot.
    int32_t Open(RegHandle root, std::wstring_view path, bool create, RegKey& key);
    int32_t OpenDirect(RegHandle root, std::wstring_view path, bool create, RegKey& key);
    int32_t CopyValues(RegHandle from, RegHandle to);
    std::wstring ReadText(RegHandle key, const std::string& name, uint32_t type);
    void WriteValue(RegHandle key, const std::string& name, const RegValue& value, uint32_t type);
    void DeleteTree(RegHandle root, const std::wstring& parent, std::wstring_view name);
    void PruneEmptyUserClasses(std::wstring path);

    Registry& registry_;
    int32_t status_ = kRegOk;
};

}  // namespace velmora
