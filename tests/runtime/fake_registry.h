// An in-memory registry with the system's rules: names ignore ASCII letter
// case, subkeys list in order of name, a key with subkeys is not deleted, a
// path that begins with a backslash or holds an empty name is refused. It
// speaks the test code page (fake_code_page.h). Roots listed in `readOnly`
// refuse every change.
#pragma once

#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

#include "runtime/fake_code_page.h"
#include "runtime/registry.h"

namespace velmora::test {

class FakeRegistry : public Registry {
public:
    std::set<RegHandle> readOnly;

    int32_t OpenKey(RegHandle root, std::string_view path, RegHandle& key) override {
        return Open(root, path, false, key);
    }
    int32_t CreateKey(RegHandle root, std::string_view path, RegHandle& key) override {
        return Open(root, path, true, key);
    }
    void CloseKey(RegHandle key) override { handles_.erase(key); }
    int32_t QueryValue(RegHandle key, std::string_view name, uint32_t& type, char* data,
                       uint32_t& size) override {
        auto& values = keys_.at(handles_[key]).values;
        auto v = values.find(Fold(name));
        if (v == values.end()) return kRegFileNotFound;
        const auto& [storedType, bytes, storedName] = v->second;
        const uint32_t needed = uint32_t(bytes.size());
        if (data && needed <= size) bytes.copy(data, size);
        type = storedType;
        return std::exchange(size, needed) < needed && data ? kRegMoreData : kRegOk;
    }
    int32_t SetValue(RegHandle key, std::string_view name, uint32_t type,
                     std::string_view data) override {
        if (readOnly.count(Root(handles_[key]))) return kRegAccessDenied;
        auto [v, added] = keys_.at(handles_[key]).values.try_emplace(Fold(name), 0, "", name);
        v->second = {type, std::string(data), std::get<2>(v->second)};  // the first name stays
        return kRegOk;
    }
    int32_t DeleteKey(RegHandle parent, std::string_view name) override {
        const std::wstring path = handles_[parent] + L"\\" + Fold(name);
        if (!keys_.count(path)) return kRegFileNotFound;
        if (!Children(path).empty() || readOnly.count(Root(path))) return kRegAccessDenied;
        keys_.erase(path);
        return kRegOk;
    }
    int32_t EnumKey(RegHandle key, uint32_t index, char* name, uint32_t size) override {
        const std::vector<std::wstring> children = Children(handles_[key]);
        if (index >= children.size()) return kRegNoMoreItems;
        const std::string bytes = *ToCodePage(keys_[children[index]].name) + '\0';
        if (bytes.size() > size) return kRegMoreData;
        bytes.copy(name, size);
        return kRegOk;
    }
    int32_t CountEntries(RegHandle key, uint32_t& subkeys, uint32_t& values) override {
        subkeys = uint32_t(Children(handles_[key]).size());
        values = uint32_t(keys_.at(handles_[key]).values.size());
        return kRegOk;
    }
    int32_t EnumValue(RegHandle key, uint32_t index, std::string& name, uint32_t& type,
                      std::string& data) override {
        const auto& values = keys_.at(handles_[key]).values;
        if (index >= values.size()) return kRegNoMoreItems;
        std::tie(type, data, name) = std::next(values.begin(), index)->second;
        return kRegOk;
    }
    std::optional<std::string> ToCodePage(std::wstring_view text) override {
        return FakeAnsi(text);
    }
    std::wstring FromCodePage(std::string_view bytes) override { return FakeFromAnsi(bytes); }

private:
    struct Key {
        std::wstring name;
        // By folded name: type, bytes, the name as first written.
        std::map<std::wstring, std::tuple<uint32_t, std::string, std::string>> values;
    };

    std::wstring Fold(std::string_view ansi) {
        std::wstring text = FromCodePage(ansi);
        for (wchar_t& c : text) c = (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c;
        return text;
    }
    static RegHandle Root(const std::wstring& path) { return RegHandle(path[0] - L'0'); }
    std::vector<std::wstring> Children(const std::wstring& path) {
        std::vector<std::wstring> found;
        const std::wstring prefix = path + L"\\";
        for (auto it = keys_.upper_bound(prefix); it != keys_.end(); ++it) {
            if (it->first.compare(0, prefix.size(), prefix) != 0) break;
            if (it->first.find(L'\\', prefix.size()) == std::wstring::npos)
                found.push_back(it->first);
        }
        return found;
    }
    int32_t Open(RegHandle root, std::string_view path, bool create, RegHandle& key) {
        if (!path.empty() && path[0] == '\\') return kRegBadPathname;
        std::wstring full = handles_.at(root);
        std::wstring rest = path.empty() ? L"" : FromCodePage(path) + L"\\";
        for (size_t cut; (cut = rest.find(L'\\')) != std::wstring::npos; rest.erase(0, cut + 1)) {
            if (cut == 0) return kRegBadPathname;  // an empty name between separators
            full += L"\\" + Fold(*ToCodePage(rest.substr(0, cut)));
            if (keys_.count(full)) continue;
            if (!create) return kRegFileNotFound;
            if (readOnly.count(Root(full))) return kRegAccessDenied;
            keys_[full].name = rest.substr(0, cut);
        }
        handles_[key = next_++] = full;
        return kRegOk;
    }

    // By folded path: the root's number, then the names.
    std::map<std::wstring, Key> keys_{{L"1", {}}, {L"2", {}}, {L"3", {}}, {L"4", {}}};
    std::map<RegHandle, std::wstring> handles_{{1, L"1"}, {2, L"2"}, {3, L"3"}, {4, L"4"}};
    RegHandle next_ = 0x100;
};

}  // namespace velmora::test
