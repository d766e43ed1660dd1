// Files over the real system.
#pragma once

#include "runtime/file_system.h"

namespace velmora {

class Win32FileSystem : public FileSystem {
public:
    std::optional<FileInfo> Stat(std::wstring_view path) override;
    bool Copy(std::wstring_view from, std::wstring_view to) override;
    bool Delete(std::wstring_view path) override;
    std::wstring FullPath(std::wstring_view path) override;
    bool MoveReplace(std::wstring_view from, std::wstring_view to) override;
    bool SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) override;
    bool AnsiHolds(std::wstring_view text) override;
    std::optional<std::wstring> ShortPath(std::wstring_view path) override;
    std::wstring CaseKey(std::wstring_view name) override;
    // Each folder with a handle of its own; every name as it is.
    std::optional<std::vector<FolderEntry>> ListFolder(std::wstring_view folder) override;
    // Shared for writing: another process may be appending to the file.
    std::optional<std::string> ReadFile(std::wstring_view path) override;
    // By volume serial number and file index.
    bool SameFile(std::wstring_view a, std::wstring_view b) override;
    // A reparse point, or a name whose opened file's final path is not
    // itself in its folder's final path (Wine shows its links only so).
    bool IsLink(std::wstring_view path) override;
    std::unique_ptr<HeldFile> Hold(std::wstring_view path) override;
};

// A path as the file calls take it: made absolute and normalised, then in
// the "\\?\" form, so that paths past 260 characters work.
std::wstring NativePath(std::wstring_view path);

}  // namespace velmora
