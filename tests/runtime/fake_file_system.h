// An in-memory file system for tests: files with sizes and text, folders
// with their entries in the order a listing gives them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "runtime/file_system.h"

namespace velmora::test {

class FakeFileSystem : public FileSystem {
public:
    std::map<std::wstring, std::string> files;  // contents by exact path
    // Folder path (ending in "\") to its entries in listing order.
    std::map<std::wstring, std::vector<FolderEntry>> folders;

    std::optional<FileInfo> Stat(std::wstring_view path) override {
        std::wstring p(path);
        if (auto f = files.find(p); f != files.end()) return FileInfo{int64_t(f->second.size())};
        if (folders.count(p) || folders.count(p + L"\\")) {
            FileInfo info;
            info.directory = true;
            return info;
        }
        return std::nullopt;
    }
    bool Copy(std::wstring_view from, std::wstring_view to) override {
        auto f = files.find(std::wstring(from));
        if (f == files.end()) return false;
        files[std::wstring(to)] = f->second;
        return true;
    }
    bool MoveReplace(std::wstring_view from, std::wstring_view to) override {
        if (!Copy(from, to)) return false;
        files.erase(std::wstring(from));
        return true;
    }
    bool SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) override {
        std::string& f = files[std::wstring(path)];
        if (!append) f.clear();
        for (wchar_t c : text) f += char(c);
        return true;
    }
    std::optional<std::vector<FolderEntry>> ListFolder(std::wstring_view folder) override {
        auto f = folders.find(std::wstring(folder));
        if (f == folders.end()) return std::nullopt;
        return f->second;
    }
    std::optional<std::string> ReadFile(std::wstring_view path) override {
        auto f = files.find(std::wstring(path));
        if (f == files.end()) return std::nullopt;
        return f->second;
    }
};

}  // namespace velmora::test
