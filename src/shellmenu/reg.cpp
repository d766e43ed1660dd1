#include "shellmenu/reg.h"

#include <optional>

namespace velmora {

namespace {

constexpr wchar_t kUserClasses[] = L"Software\\Classes";

// Windows refuses a relative path that begins with a backslash; Wine
// accepts it under the classes root. Such paths come from an empty file
// type name, and must read and write nothing on both.
bool BeginsWithBackslash(std::wstring_view path) { return !path.empty() && path[0] == L'\\'; }

std::wstring ClassesPath(std::wstring_view path) {
    return path.empty() ? kUserClasses : kUserClasses + (L"\\" + std::wstring(path));
}

std::wstring Replace(std::wstring text, std::wstring_view from, std::wstring_view to) {
    for (size_t i = text.find(from); i != std::wstring::npos; i = text.find(from, i + to.size())) {
        text.replace(i, from.size(), to);
    }
    return text;
}

// Decimal text as a 32-bit integer, as a written kRegDword takes it.
std::optional<int32_t> ParseInteger(std::wstring_view text) {
    size_t i = (!text.empty() && (text[0] == L'-' || text[0] == L'+')) ? 1 : 0;
    if (i == text.size()) return std::nullopt;
    int64_t n = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        n = n * 10 + (text[i] - L'0');
        if (n > int64_t(1) << 31) return std::nullopt;
    }
    if (text[0] == L'-') n = -n;
    if (n < INT32_MIN || n > INT32_MAX) return std::nullopt;
    return int32_t(n);
}

}  // namespace

int32_t Reg::OpenDirect(RegHandle root, std::wstring_view path, bool create, RegKey& key) {
    if (BeginsWithBackslash(path)) return kRegBadPathname;
    std::optional<std::string> ansi = registry_.ToCodePage(path);
    // A name the code page cannot hold would reach another key.
    if (!ansi || ansi->find('\0') != std::string::npos) return kRegNoTranslation;
    return create ? registry_.CreateKey(root, *ansi, key.out())
                  : registry_.OpenKey(root, *ansi, key.out());
}

int32_t Reg::Open(RegHandle root, std::wstring_view path, bool create, RegKey& key) {
    if (BeginsWithBackslash(path)) return kRegBadPathname;
    if (root != kRegClassesRoot) return OpenDirect(root, path, create, key);
    const std::wstring classes = ClassesPath(path);
    if (create) return OpenDirect(kRegCurrentUser, classes, true, key);
    int32_t r = OpenDirect(kRegCurrentUser, classes, false, key);
    return r == kRegOk ? r : OpenDirect(kRegLocalMachine, classes, false, key);
}

RegValue Reg::GetRegValue(RegHandle root, std::wstring_view path, std::wstring_view name,
                          uint32_t& type, const RegValue& fallback) {
    status_ = kRegOk;
    if (path.empty()) {
        status_ = kRegEmptyPath;
        return {};
    }
    RegKey key(registry_);
    status_ = Open(root, path, false, key);
    if (status_ != kRegOk) return fallback;
    std::optional<std::string> ansiName = registry_.ToCodePage(name);
    if (!ansiName || ansiName->find('\0') != std::string::npos) {
        status_ = kRegNoTranslation;
        return fallback;
    }

    if (type == kRegSz || type == kRegMultiSz) {
        // Size probe: a value of no data (or only its terminator) is the
        // empty text.
        uint32_t probeType = kRegSz, size = 0;
        char probe = 0;
        status_ = registry_.QueryValue(key.get(), *ansiName, probeType, &probe, size);
        if (status_ != kRegOk && status_ != kRegMoreData) return fallback;
        if (size < 2) {
            status_ = kRegOk;
            return std::wstring();
        }
        std::string data(size, ' ');
        uint32_t dataType = kRegSz;
        status_ = registry_.QueryValue(key.get(), *ansiName, dataType, data.data(), size);
        std::wstring text;
        if (status_ == kRegOk) {
            data.resize(size);
            if (!data.empty() && data.back() == '\0') data.pop_back();  // the terminator
            text = registry_.FromCodePage(data);
        }
        if (type == kRegMultiSz) {
            text = Replace(text, std::wstring(2, L'\0'), L"");
            return Replace(text, std::wstring(1, L'\0'), L"\r\n");
        }
        size_t lastNul = text.rfind(L'\0');
        if (lastNul != std::wstring::npos) text.resize(lastNul);
        return text;
    }

    unsigned char bytes[4] = {};
    uint32_t size = sizeof bytes;
    status_ =
        registry_.QueryValue(key.get(), *ansiName, type, reinterpret_cast<char*>(bytes), size);
    if (status_ != kRegOk) return fallback;
    return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                   uint32_t(bytes[3]) << 24);
}

void Reg::SetRegValue(RegHandle root, std::wstring_view path, std::wstring_view name,
                      const RegValue& value, uint32_t type) {
    status_ = kRegOk;
    if (path.empty()) {
        status_ = kRegEmptyPath;
        return;
    }
    RegKey key(registry_);
    status_ = Open(root, path, true, key);
    if (status_ != kRegOk) return;
    std::optional<std::string> ansiName = registry_.ToCodePage(name);
    if (!ansiName || ansiName->find('\0') != std::string::npos) {
        status_ = kRegNoTranslation;
        return;
    }
    WriteValue(key.get(), *ansiName, value, type);
}

void Reg::WriteValue(RegHandle key, const std::string& name, const RegValue& value, uint32_t type) {
    if (type == kRegSz || type == kRegMultiSz) {
        std::wstring text;
        if (auto* s = std::get_if<std::wstring>(&value)) text = *s;
        if (auto* n = std::get_if<int32_t>(&value)) text = std::to_wstring(*n);
        if (std::holds_alternative<std::vector<uint8_t>>(value)) text = StripNulls(value);
        if (text.empty()) {
            status_ = registry_.SetValue(key, name, kRegSz, {});
            return;
        }
        if (type == kRegMultiSz) text = Replace(text, L"\r\n", std::wstring(1, L'\0'));
        std::optional<std::string> data = registry_.ToCodePage(text);
        // Never store a text other than the one given.
        if (!data) {
            status_ = kRegNoTranslation;
            return;
        }
        data->push_back('\0');
        status_ = registry_.SetValue(key, name, type, *data);
        return;
    }
    if (type == kRegDword) {
        std::optional<int32_t> n;
        if (std::holds_alternative<std::monostate>(value)) n = 0;
        if (auto* i = std::get_if<int32_t>(&value)) n = *i;
        if (auto* s = std::get_if<std::wstring>(&value)) n = ParseInteger(*s);
        if (!n) return;
        const uint32_t u = uint32_t(*n);
        const char data[4] = {char(u & 0xFF), char(u >> 8 & 0xFF), char(u >> 16 & 0xFF),
                              char(u >> 24)};
        status_ = registry_.SetValue(key, name, kRegDword, std::string_view(data, 4));
        return;
    }
    if (type == kRegBinary) {
        auto* bytes = std::get_if<std::vector<uint8_t>>(&value);
        if (!bytes || bytes->empty()) return;
        status_ = registry_.SetValue(
            key, name, kRegBinary,
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    }
    // Other types are not written.
}

void Reg::DeleteRegKeyTree(RegHandle root, std::wstring_view parent, std::wstring_view name) {
    if (name.empty()) {
        status_ = kRegEmptyPath;
        return;
    }
    if (root != kRegClassesRoot) return DeleteTree(root, std::wstring(parent), name);
    if (BeginsWithBackslash(parent)) {
        status_ = kRegBadPathname;
        return;
    }
    // Only the per-user keys can go; parents that held nothing else go with
    // them, so that a removal leaves no empty key behind.
    // The delete creates a missing parent path: that goes too.
    DeleteTree(kRegCurrentUser, ClassesPath(parent), name);
    const int32_t status = status_;
    PruneEmptyUserClasses(std::wstring(parent));
    status_ = status;
}

void Reg::DeleteTree(RegHandle root, const std::wstring& parent, std::wstring_view name) {
    const std::wstring path = parent + L"\\" + std::wstring(name);
    // The listing is complete, and its key closed, before anything goes.
    for (const std::wstring& child : EnumRegSubKeys(root, path)) DeleteTree(root, path, child);
    RegKey key(registry_);
    status_ = Open(root, parent, true, key);
    if (status_ != kRegOk) return;
    std::optional<std::string> ansiName = registry_.ToCodePage(name);
    status_ = ansiName ? registry_.DeleteKey(key.get(), *ansiName) : int32_t(kRegNoTranslation);
}

void Reg::PruneEmptyUserClasses(std::wstring path) {
    while (!path.empty()) {
        {
            RegKey key(registry_);
            uint32_t subkeys = 0, values = 0;
            if (OpenDirect(kRegCurrentUser, ClassesPath(path), false, key) != kRegOk) return;
            if (registry_.CountEntries(key.get(), subkeys, values) != kRegOk) return;
            if (subkeys != 0 || values != 0) return;
        }
        const size_t cut = path.rfind(L'\\');
        const std::wstring up = cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
        RegKey parent(registry_);
        std::optional<std::string> leaf =
            registry_.ToCodePage(path.substr(up.empty() ? 0 : cut + 1));
        if (!leaf || OpenDirect(kRegCurrentUser, ClassesPath(up), false, parent) != kRegOk) return;
        if (registry_.DeleteKey(parent.get(), *leaf) != kRegOk) return;
        path = up;
    }
}

bool Reg::RegKeyExists(RegHandle root, std::wstring_view path) {
    RegKey key(registry_);
    status_ = path.empty() ? int32_t(kRegEmptyPath) : Open(root, path, false, key);
    return status_ == kRegOk;
}

int32_t Reg::CopyValues(RegHandle from, RegHandle to) {
    std::string name, data;
    uint32_t type = 0;
    for (uint32_t i = 0;; ++i) {
        const int32_t r = registry_.EnumValue(from, i, name, type, data);
        if (r == kRegNoMoreItems) return kRegOk;
        if (r != kRegOk) return r;
        if (const int32_t w = registry_.SetValue(to, name, type, data); w != kRegOk) return w;
    }
}

void Reg::CopyRegKeyTree(RegHandle root, std::wstring_view from, std::wstring_view to) {
    if (from.empty() || to.empty()) {
        status_ = kRegEmptyPath;
        return;
    }
    {
        RegKey source(registry_), target(registry_);
        status_ = Open(root, from, false, source);
        if (status_ == kRegOk) status_ = Open(root, to, true, target);
        if (status_ == kRegOk) status_ = CopyValues(source.get(), target.get());
        if (status_ != kRegOk) return;
    }
    const std::wstring fromPath(from), toPath(to);
    for (const std::wstring& child : EnumRegSubKeys(root, from)) {
        CopyRegKeyTree(root, fromPath + L"\\" + child, toPath + L"\\" + child);
        if (status_ != kRegOk) return;
    }
    status_ = kRegOk;
}

std::vector<std::wstring> Reg::EnumRegSubKeys(RegHandle root, std::wstring_view path,
                                              int32_t index) {
    std::vector<std::wstring> names;
    RegKey key(registry_);
    status_ = Open(root, path, false, key);
    if (status_ != kRegOk) return names;
    // One name: 255 characters and its terminator.
    char buffer[256];
    auto take = [&](uint32_t i) {
        status_ = registry_.EnumKey(key.get(), i, buffer, sizeof buffer);
        if (status_ == kRegOk) {
            names.push_back(StripNulls(std::vector<uint8_t>(buffer, buffer + sizeof buffer)));
        }
    };
    if (index != -1) {
        take(uint32_t(index));
        return names;
    }
    for (uint32_t i = 0; status_ == kRegOk; ++i) take(i);
    return names;
}

std::wstring Reg::StripNulls(const RegValue& value) {
    std::wstring text;
    if (auto* bytes = std::get_if<std::vector<uint8_t>>(&value)) {
        std::string raw(bytes->begin(), bytes->end());
        text = registry_.FromCodePage(raw.substr(0, raw.find('\0')));
    } else if (auto* s = std::get_if<std::wstring>(&value)) {
        text = *s;
    } else if (auto* n = std::get_if<int32_t>(&value)) {
        text = std::to_wstring(*n);
    }
    return text.substr(0, text.find(L'\0'));
}

}  // namespace velmora
