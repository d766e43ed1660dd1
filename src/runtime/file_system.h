// Files, as the program's flows need them. Every call reports failure in
// its result and never throws.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct FileInfo {
    int64_t size = 0;
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
    bool directory = false;
};

struct FolderEntry {
    std::wstring name;
    bool directory = false;
    // The reparse point's tag (a link's, a cloud file's ...); 0 for none.
    uint32_t reparseTag = 0;
};

// A file held open while this lives, shared for reading only: nobody can
// write, replace, rename or delete it meanwhile.
class HeldFile {
public:
    virtual ~HeldFile() = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Size and attributes of a file or folder; nullopt when there is none.
    virtual std::optional<FileInfo> Stat(std::wstring_view path) = 0;
    // Copies `from` onto `to`, overwriting it.
    virtual bool Copy(std::wstring_view from, std::wstring_view to) = 0;
    // Deletes a file; false when it could not be deleted.
    virtual bool Delete(std::wstring_view path) = 0;
    // The absolute form of `path`, as every file call resolves it: against
    // the current folder (of its drive, for "D:name"); the empty text stays
    // empty.
    virtual std::wstring FullPath(std::wstring_view path) = 0;
    // Moves `from` onto `to` in one step, replacing `to`, flushed to disk.
    virtual bool MoveReplace(std::wstring_view from, std::wstring_view to) = 0;
    // Writes `text` in the system's ANSI code page, replacing or appending.
    // Fails, writing nothing, when the code page cannot hold the text.
    virtual bool SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) = 0;
    // Whether the system's ANSI code page, in which the script is written,
    // holds `text` exactly.
    virtual bool AnsiHolds(std::wstring_view text) = 0;
    // The short (8.3) form of an existing path; nullopt when the volume
    // keeps no short names.
    virtual std::optional<std::wstring> ShortPath(std::wstring_view path) = 0;
    // Names that the file system takes for the same name (letter case
    // ignored the way it ignores it) have the same key.
    virtual std::wstring CaseKey(std::wstring_view name) = 0;
    // Every entry of `folder` but "." and "..", hidden and system ones
    // included, in the system's order; nullopt when it cannot be read.
    virtual std::optional<std::vector<FolderEntry>> ListFolder(std::wstring_view folder) = 0;
    // The whole file's bytes as they stand; nullopt when it cannot be read.
    virtual std::optional<std::string> ReadFile(std::wstring_view path) = 0;
    // Both paths lead to one existing file (links followed): the same file
    // identity, whatever the spelling.
    virtual bool SameFile(std::wstring_view a, std::wstring_view b) = 0;
    // The path's last name is a link (or any entry that leads elsewhere
    // than to itself in its folder).
    virtual bool IsLink(std::wstring_view path) = 0;
    // Holds an existing file open (see HeldFile); nullptr when it cannot.
    virtual std::unique_ptr<HeldFile> Hold(std::wstring_view path) = 0;
};

}  // namespace velmora
