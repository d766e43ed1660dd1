// An in-memory registry with the system's rules: names ignore ASCII letter
// case, subkeys list in order of name, a key with subkeys is not deleted, a
// path that begins with a backslash is refused. Its code page holds ASCII
// in one byte and the CJK ideographs in two, as code page 936 does, and
// nothing else. Roots listed in `readOnly` refuse every change.
#pragma once

#include <map>
#include <set>

#include "runtime/registry.h"

namespace velmora::test {

class FakeRegistry : public Registry {
public:
    std::set<RegHandle> readOnly;

    FakeRegistry() {
        for (RegHandle root = kRegClassesRoot; root <= kRegUsers; ++root) {
        }
    }

    int32_t OpenKey(RegHandle root, std::string_view path, RegHandle& key) override {
        return Open(root, path, false, key);
    }
    int32_t CreateKey(RegHandle root, std::string_view path, RegHandle& key) override {
        return Open(root, path, true, key);
    }
    void CloseKey(RegHandle key) override { handles_.erase(key); }
    int32_t QueryValue(RegHandle key, std::string_view name, uint32_t& type, char* data,
                       uint32_t& size) override {
        auto node = keys_.find(Path(key));
        if (node == keys_.end()) return 1018;  // the key was deleted
        auto v = node->second.values.find(Fold(name));
        if (v == node->second.values.end()) return kRegFileNotFound;
        const std::string& bytes = v->second.second;
        const bool fits = bytes.size() <= size;
        type = v->second.first;
        if (data && fits) bytes.copy(data, bytes.size());
        size = uint32_t(bytes.size());
        return !data || fits ? kRegOk : kRegMoreData;
    }
    int32_t SetValue(RegHandle key, std::string_view name, uint32_t type,
                     std::string_view data) override {
        auto node = keys_.find(Path(key));
        if (node == keys_.end()) return 1018;
        if (Denied(node->first)) return kRegAccessDenied;
        node->second.values[Fold(name)] = {type, std::string(data)};
        return kRegOk;
    }
    int32_t DeleteKey(RegHandle parent, std::string_view name) override {
        const std::wstring path = Path(parent) + L"\\" + Fold(name);
        if (!keys_.count(path)) return kRegFileNotFound;
        if (!Children(path).empty() || Denied(path)) return kRegAccessDenied;
        keys_.erase(path);
        return kRegOk;
    }
    int32_t EnumKey(RegHandle key, uint32_t index, char* name, uint32_t size) override {
        std::vector<std::wstring> children = Children(Path(key));
        if (index >= children.size()) return kRegNoMoreItems;
        std::string bytes = *ToCodePage(keys_[children[index]].name);
        if (bytes.size() >= size) return kRegMoreData;
        bytes.copy(name, bytes.size());
        name[bytes.size()] = '\0';
        return kRegOk;
    }
    int32_t CountEntries(RegHandle key, uint32_t& subkeys, uint32_t& values) override {
        auto node = keys_.find(Path(key));
        if (node == keys_.end()) return 1018;
        subkeys = uint32_t(Children(node->first).size());
        values = uint32_t(node->second.values.size());
        return kRegOk;
    }
    std::optional<std::string> ToCodePage(std::wstring_view text) override {
        std::string out;
        for (wchar_t c : text) {
            if (c < 0x80) {
                out += char(c);
            } else if (c >= 0x4E00 && c <= 0x9FFF) {
                out += char(0x81 + (c - 0x4E00) / 190);
                out += char(0x40 + (c - 0x4E00) % 190);
            } else {
                return std::nullopt;
            }
        }
        return out;
    }
    std::wstring FromCodePage(std::string_view bytes) override {
        std::wstring out;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const unsigned char b = bytes[i];
            if (b < 0x80 || i + 1 == bytes.size()) {
                out += wchar_t(b);
            } else {
                out += wchar_t(0x4E00 + (b - 0x81) * 190 + ((unsigned char)bytes[++i] - 0x40));
            }
        }
        return out;
    }

private:
    struct Key {
        std::wstring name;
        std::map<std::wstring, std::pair<uint32_t, std::string>> values;
    };

    std::wstring Fold(std::string_view ansi) {
        std::wstring text = FromCodePage(ansi);
        for (wchar_t& c : text) c = (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c;
        return text;
    }
    std::wstring Path(RegHandle key) {
        if (key >= kRegClassesRoot && key <= kRegUsers) return std::to_wstring(key);
        auto it = handles_.find(key);
        return it == handles_.end() ? L"?" : it->second;
    }
    bool Denied(const std::wstring& path) { return readOnly.count(RegHandle(path[0] - L'0')) != 0; }
    std::vector<std::wstring> Children(const std::wstring& path) {
        std::vector<std::wstring> found;
        for (auto it = keys_.upper_bound(path + L"\\"); it != keys_.end(); ++it) {
            if (it->first.compare(0, path.size() + 1, path + L"\\") != 0) break;
            if (it->first.find(L'\\', path.size() + 1) == std::wstring::npos) {
                found.push_back(it->first);
            }
        }
        return found;
    }
    int32_t Open(RegHandle root, std::string_view path, bool create, RegHandle& key) {
        if (!path.empty() && path[0] == '\\') return kRegBadPathname;
        std::wstring full = Path(root), name;
        if (full == L"?") return 6;  // not a handle
        std::wstring rest = FromCodePage(path) + L"\\";
        for (size_t cut; (cut = rest.find(L'\\')) != std::wstring::npos; rest.erase(0, cut + 1)) {
            if (cut == 0) continue;
            name = rest.substr(0, cut);
            std::string ansi = *ToCodePage(name);
            full += L"\\" + Fold(ansi);
            if (keys_.count(full)) continue;
            if (!create) return kRegFileNotFound;
            if (Denied(full)) return kRegAccessDenied;
            keys_[full].name = name;
        }
        handles_[next_] = full;
        key = next_++;
        return kRegOk;
    }

    std::map<std::wstring, Key> keys_;  // by folded path: root number, then names
    std::map<RegHandle, std::wstring> handles_;
    RegHandle next_ = 0x100;
};

}  // namespace velmora::test
