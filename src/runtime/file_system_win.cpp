#include "runtime/file_system_win.h"

#include <windows.h>

#include "common/paths.h"
#include "runtime/handles_win.h"
#include "common/ansi_win.h"

namespace velmora {

namespace {

std::wstring Str(std::wstring_view text) { return std::wstring(text); }

// Opened for no more than its attributes, folders too, links followed;
// shared every way, so that it stands in nobody's way.
UniqueHandle OpenForQuery(std::wstring_view path) {
    return UniqueHandle(CreateFileW(NativePath(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::wstring FinalPathOf(HANDLE h) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetFinalPathNameByHandleW(h, path.data(), DWORD(path.size()), 0);
        if (n == 0) return {};
        if (n < path.size()) return path.substr(0, n);
        path.resize(n);
    }
}

// Every part of an existing path in its long form; empty when it fails.
std::wstring LongPathOf(const std::wstring& path) {
    std::wstring longPath(path.size() + MAX_PATH, L'\0');
    const DWORD n = GetLongPathNameW(path.c_str(), longPath.data(), DWORD(longPath.size()));
    if (n == 0 || n >= longPath.size()) return {};
    longPath.resize(n);
    return longPath;
}

class Win32HeldFile : public HeldFile {
public:
    explicit Win32HeldFile(UniqueHandle file) : file_(std::move(file)) {}

private:
    UniqueHandle file_;
};

}  // namespace

std::wstring NativePath(std::wstring_view path) {
    return ExtendedLengthPath(Win32FileSystem().FullPath(path));
}

// GetFullPathNameW resolves against the current folder, and against the
// drive's own current folder for "D:name", as the file calls do.
std::wstring Win32FileSystem::FullPath(std::wstring_view path) {
    const std::wstring plain = Str(path);
    if (plain.empty()) return plain;
    DWORD n = GetFullPathNameW(plain.c_str(), 0, nullptr, nullptr);
    if (n == 0) return plain;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(plain.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return plain;
    full.resize(n);
    return full;
}

bool Win32FileSystem::Delete(std::wstring_view path) {
    return DeleteFileW(NativePath(path).c_str()) != 0;
}

std::optional<FileInfo> Win32FileSystem::Stat(std::wstring_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(NativePath(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    const DWORD a = data.dwFileAttributes;
    return FileInfo{int64_t((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow),
                    (a & FILE_ATTRIBUTE_READONLY) != 0, (a & FILE_ATTRIBUTE_HIDDEN) != 0,
                    (a & FILE_ATTRIBUTE_SYSTEM) != 0, (a & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

bool Win32FileSystem::Copy(std::wstring_view from, std::wstring_view to) {
    return CopyFileW(NativePath(from).c_str(), NativePath(to).c_str(), FALSE) != 0;
}

bool Win32FileSystem::MoveReplace(std::wstring_view from, std::wstring_view to) {
    return MoveFileExW(NativePath(from).c_str(), NativePath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) {
    // A text the code page cannot hold is not written at all rather than
    // written as another text.
    std::optional<std::string> bytes = ToAnsi(text);
    if (!bytes) return false;
    UniqueHandle file(CreateFileW(
        NativePath(path).c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ,
        nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file.get(), bytes->data(), DWORD(bytes->size()), &written, nullptr) &&
                    written == bytes->size();
    // A failed close can mean the data never reached the disk.
    return CloseHandle(file.Release()) && ok;
}

bool Win32FileSystem::AnsiHolds(std::wstring_view text) { return ToAnsi(text).has_value(); }

std::optional<std::wstring> Win32FileSystem::ShortPath(std::wstring_view path) {
    const std::wstring native = NativePath(path);
    DWORD n = GetShortPathNameW(native.c_str(), nullptr, 0);
    if (n == 0) return std::nullopt;
    std::wstring shortPath(n, L'\0');
    n = GetShortPathNameW(native.c_str(), shortPath.data(), n);
    if (n == 0 || n >= shortPath.size()) return std::nullopt;
    shortPath.resize(n);
    // Back to the ordinary form the caller gave.
    if (shortPath.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        shortPath = L"\\\\" + shortPath.substr(8);
    } else if (shortPath.rfind(L"\\\\?\\", 0) == 0) {
        shortPath = shortPath.substr(4);
    }
    // Two long names can share a short one (Wine's hashed short names
    // collide), and then not every lookup of it picks the same file: one
    // whose long form is not this path is no name for it. (Wine expands
    // no "\\?\" form, hence the ordinary ones.)
    const std::wstring longPath = LongPathOf(shortPath);
    if (longPath.empty() || CaseKey(longPath) != CaseKey(LongPathOf(FullPath(path)))) {
        return std::nullopt;
    }
    return shortPath;
}

// The system's own upper-case table, the one its ordinal ignore-case
// comparison (CompareStringOrdinal) and file names use.
std::wstring Win32FileSystem::CaseKey(std::wstring_view name) {
    if (name.empty()) return {};
    // Plain ASCII, the usual path, needs no call into the system: a queue of
    // tens of thousands of rows is keyed at every rebuild.
    std::wstring ascii(name);
    bool plain = true;
    for (wchar_t& c : ascii) {
        plain = plain && c < 0x80;
        if (c >= L'a' && c <= L'z') c = wchar_t(c - 32);
    }
    if (plain) return ascii;
    std::wstring key(name.size(), L'\0');
    const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.data(),
                                int(name.size()), key.data(), int(key.size()), nullptr, nullptr, 0);
    if (n <= 0) return Str(name);
    key.resize(size_t(n));
    return key;
}

std::optional<std::vector<FolderEntry>> Win32FileSystem::ListFolder(std::wstring_view folder) {
    std::wstring pattern(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return std::nullopt;
    std::vector<FolderEntry> entries;
    do {
        const std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        FolderEntry entry;
        entry.name = name;
        entry.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // A reparse point without a tag is taken for a link: entering a
        // link to an ancestor would never end.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            entry.reparseTag = data.dwReserved0 != 0 ? data.dwReserved0 : IO_REPARSE_TAG_SYMLINK;
        }
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find.get(), &data));
    return entries;
}

std::optional<std::string> Win32FileSystem::ReadFile(std::wstring_view path) {
    // Shared for writing: the tool appends to the file while it is read.
    UniqueHandle file(CreateFileW(Str(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
        bytes.append(chunk, got);
    }
    return bytes;
}

bool Win32FileSystem::SameFile(std::wstring_view a, std::wstring_view b) {
    UniqueHandle first = OpenForQuery(a), second = OpenForQuery(b);
    BY_HANDLE_FILE_INFORMATION x, y;
    if (!first || !second || !GetFileInformationByHandle(first.get(), &x) ||
        !GetFileInformationByHandle(second.get(), &y)) {
        return false;
    }
    return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

bool Win32FileSystem::IsLink(std::wstring_view path) {
    const std::wstring full = FullPath(path);
    const DWORD attributes = GetFileAttributesW(ExtendedLengthPath(full).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
    const size_t slash = full.find_last_of(L'\\');
    if (slash == std::wstring::npos) return false;
    UniqueHandle file = OpenForQuery(full), folder = OpenForQuery(full.substr(0, slash + 1));
    if (!file || !folder) return true;  // there, yet cannot be looked at: trusted no more
    std::wstring expected = FinalPathOf(folder.get());
    if (!expected.empty() && expected.back() == L'\\') expected.pop_back();
    return CaseKey(FinalPathOf(file.get())) != CaseKey(expected + L"\\" + full.substr(slash + 1));
}

std::unique_ptr<HeldFile> Win32FileSystem::Hold(std::wstring_view path) {
    UniqueHandle file(CreateFileW(NativePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<Win32HeldFile>(std::move(file));
}

}  // namespace velmora
