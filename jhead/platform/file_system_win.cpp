#include <windows.h>

#include <aclapi.h>

#include <algorithm>
#include <atomic>

#include "common/ansi_win.h"
#include "common/paths.h"
#include "platform/file_system.h"
#include "platform/utf16.h"

namespace jhead::fs {

static std::wstring Wide(const std::string& s) {
    std::u16string u = Utf8ToUtf16(s);
    return std::wstring(u.begin(), u.end());
}

static std::string Narrow(const std::wstring& w) {
    return Utf16ToUtf8(std::u16string(w.begin(), w.end()));
}

// Paths near MAX_PATH (the temporary file beside a picture may pass it) need
// the \\?\ form, which takes only full paths with backslashes.
static std::wstring WinPath(const std::string& path) {
    std::wstring w = Wide(path);
    DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0) return w;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(w.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return w;
    full.resize(n);
    return velmora::ExtendedLengthPath(full);
}

static Err Kind(DWORD c) {
    switch (c) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return Err::NotFound;
        case ERROR_DIRECTORY:
            return Err::NotFolder;
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return Err::AccessDenied;
        case ERROR_WRITE_PROTECT:
            return Err::ReadOnlyMedium;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return Err::DiskFull;
        case ERROR_FILE_TOO_LARGE:
            return Err::TooLarge;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return Err::InUse;
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BUFFER_OVERFLOW:
            return Err::NameTooLong;
        case ERROR_CANT_RESOLVE_FILENAME:
            return Err::LinkLoop;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_PARAMETER:
            return Err::BadName;
        case ERROR_CRC:
        case ERROR_IO_DEVICE:
        case ERROR_NOT_READY:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_NETNAME_DELETED:
        case ERROR_UNEXP_NET_ERR:
            return Err::IoError;
        case ERROR_TOO_MANY_OPEN_FILES:
            return Err::TooManyOpen;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return Err::NoMemory;
    }
    return Err::Other;
}

static bool Fail(Op op, Error* e) {
    DWORD c = GetLastError();
    *e = {Kind(c), (int)c, op};
    return false;
}

static HANDLE H(File f) { return (HANDLE)f.h; }

std::string FinalPath(const std::string& path) { return path; }

std::string OpenedPath(File f) {
    HANDLE h = (HANDLE)f.h;
    DWORD n = GetFinalPathNameByHandleW(h, nullptr, 0, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return "";
    std::wstring w(n, L'\0');
    n = GetFinalPathNameByHandleW(h, w.data(), n, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0 || n >= w.size()) return "";
    w.resize(n);
    // Back to the ordinary form, as the program names its pictures.
    if (w.rfind(L"\\\\?\\UNC\\", 0) == 0) return Narrow(L"\\\\" + w.substr(8));
    if (w.rfind(L"\\\\?\\", 0) == 0) return Narrow(w.substr(4));
    return Narrow(w);
}

std::string FolderOf(const std::string& path) {
    size_t sep = path.find_last_of("\\/:");
    return sep == std::string::npos ? "" : path.substr(0, sep + 1);
}

// CON, NUL, COM1 ... name devices in every folder, with any extension, and
// opening some of them blocks; \\.\ names devices and pipes.
static bool IsDeviceName(const std::string& path) {
    if (path.rfind("\\\\.\\", 0) == 0 || path.rfind("//./", 0) == 0) return true;
    std::string base = path.substr(FolderOf(path).size());
    base = base.substr(0, base.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = (char)toupper((unsigned char)c);
    static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* n : kNames) {
        if (base == n) return true;
    }
    return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) &&
           base[3] >= '0' && base[3] <= '9';
}

static bool OpenChecked(const std::wstring& w, DWORD access, File* f, Info* info, Error* e) {
    HANDLE h = CreateFileW(w.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        Fail(Op::Open, e);
        // Some file systems answer "not found" for a name longer than any
        // they can hold: say which.
        size_t longest = 0, start = 0;
        for (size_t i = 0; i <= w.size(); i++) {
            if (i < w.size() && w[i] != L'\\' && w[i] != L'/') continue;
            longest = std::max(longest, i - start);
            start = i + 1;
        }
        if (longest > 255) e->kind = Err::NameTooLong;
        // A folder cannot be opened this way: say what it is, not "denied".
        DWORD attributes = GetFileAttributesW(w.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && attributes & FILE_ATTRIBUTE_DIRECTORY) {
            *e = {Err::NotRegular, 0, Op::Open};
        }
        return false;
    }
    BY_HANDLE_FILE_INFORMATION bi;
    if (!GetFileInformationByHandle(h, &bi)) {
        Fail(Op::Open, e);
        CloseHandle(h);
        return false;
    }
    if (bi.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        *e = {Err::NotRegular, 0, Op::Open};
        return false;
    }
    f->h = (intptr_t)h;
    info->size = (uint64_t)bi.nFileSizeHigh << 32 | bi.nFileSizeLow;
    info->read_only = (bi.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    info->links = bi.nNumberOfLinks;
    return true;
}

bool OpenRead(const std::string& path, bool to_change, File* f, Info* info, Error* e) {
    if (Injected(Op::Open, e)) return false;
    if (IsDeviceName(path)) {
        *e = {Err::NotRegular, 0, Op::Open};
        return false;
    }
    std::wstring w = WinPath(path);
    // Asking for write access up front tells whether the caller may change
    // the file. One it may not (read-only, another user's, held by another
    // program) is opened again to be read: with nothing to remove, it is fine.
    if (!to_change || OpenChecked(w, GENERIC_READ | FILE_WRITE_DATA, f, info, e)) {
        return to_change || OpenChecked(w, GENERIC_READ, f, info, e);
    }
    Err why = e->kind;
    if (!OpenChecked(w, GENERIC_READ, f, info, e)) return false;
    info->write_error = why;
    return true;
}

bool Read(File f, uint8_t* buf, size_t n, size_t* got, Error* e) {
    if (Injected(Op::Read, e)) return false;
    DWORD want = n > (1u << 30) ? (1u << 30) : (DWORD)n;
    DWORD did = 0;
    if (!ReadFile(H(f), buf, want, &did, nullptr)) return Fail(Op::Read, e);
    *got = did;
    return true;
}

bool Rewind(File f, Error* e) { return Seek(f, 0, e); }

bool Seek(File f, uint64_t offset, Error* e) {
    LARGE_INTEGER at{};
    at.QuadPart = (LONGLONG)offset;
    if (offset <= (uint64_t)INT64_MAX && SetFilePointerEx(H(f), at, nullptr, FILE_BEGIN))
        return true;
    return Fail(Op::Read, e);
}

bool CreateNew(const std::string& path, File* f, Error* e) {
    if (Injected(Op::Create, e)) return false;
    // Shared for deletion only, so that the interrupt handler can remove it.
    HANDLE h = CreateFileW(WinPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Fail(Op::Create, e);
    f->h = (intptr_t)h;
    return true;
}

bool Write(File f, const uint8_t* p, size_t n, Error* e) {
    if (Injected(Op::Write, e)) return false;
    while (n > 0) {
        DWORD chunk = n > (1u << 30) ? (1u << 30) : (DWORD)n;
        DWORD did = 0;
        if (!WriteFile(H(f), p, chunk, &did, nullptr)) return Fail(Op::Write, e);
        p += did;
        n -= did;
    }
    return true;
}

// The new file belongs to the caller; a picture owned by someone else would
// change hands. Volumes without owners (FAT) have nothing to compare.
static bool SameOwner(File src, File dst) {
    PSID a = nullptr, b = nullptr;
    PSECURITY_DESCRIPTOR sa = nullptr, sb = nullptr;
    bool same = true;
    if (GetSecurityInfo(H(src), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &a, nullptr, nullptr,
                        nullptr, &sa) == ERROR_SUCCESS &&
        GetSecurityInfo(H(dst), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &b, nullptr, nullptr,
                        nullptr, &sb) == ERROR_SUCCESS) {
        same = EqualSid(a, b) != 0;
    }
    LocalFree(sa);
    LocalFree(sb);
    return same;
}

bool CopyMetadata(File src, File dst, Error* e) {
    if (Injected(Op::CopyMetadata, e)) return false;
    if (!SameOwner(src, dst)) {
        *e = {Err::OwnerNotKept, 0, Op::CopyMetadata};
        return false;
    }
    FILE_BASIC_INFO b;
    if (!GetFileInformationByHandleEx(H(src), FileBasicInfo, &b, sizeof b)) {
        return Fail(Op::CopyMetadata, e);
    }
    // Creation, access and write times, and the attributes a user sets
    // (read-only pictures never get here). Change time stays the system's.
    b.ChangeTime.QuadPart = 0;
    b.FileAttributes &= FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                        FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (b.FileAttributes == 0) b.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(H(dst), FileBasicInfo, &b, sizeof b)) {
        return Fail(Op::CopyMetadata, e);
    }
    return true;
}

bool Flush(File f, Error* e) {
    if (Injected(Op::Flush, e)) return false;
    if (!FlushFileBuffers(H(f))) return Fail(Op::Flush, e);
    return true;
}

bool CloseNative(intptr_t h, Error* e) {
    if (!CloseHandle((HANDLE)h)) return Fail(Op::Close, e);
    return true;
}

bool Replace(const std::string& from, const std::string& to, Error* e) {
    if (Injected(Op::Replace, e)) return false;
    if (!MoveFileExW(WinPath(from).c_str(), WinPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Fail(Op::Replace, e);
    }
    return true;
}

bool Remove(const std::string& path) { return DeleteFileW(WinPath(path).c_str()) != 0; }

bool Exists(const std::string& path) {
    return GetFileAttributesW(WinPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> NamesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileExW(WinPath(folder + prefix + "*").c_str(), FindExInfoBasic, &fd,
                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        // Short 8.3 names may match too: check the long one.
        std::string name = Narrow(fd.cFileName);
        if (name.rfind(prefix, 0) == 0) names.push_back(name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

unsigned ProcessId() { return (unsigned)GetCurrentProcessId(); }

bool ProcessAlive(unsigned pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!h) return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    bool alive = !GetExitCodeProcess(h, &code) || code == STILL_ACTIVE;
    CloseHandle(h);
    return alive;
}

// Read by the console control handler, which runs on a thread of its own.
static wchar_t g_cleanup[32768];
static std::atomic<bool> g_cleanup_armed{false};

void SetInterruptCleanup(const std::string& path) {
    g_cleanup_armed = false;
    std::wstring w = WinPath(path);
    if (path.empty() || w.size() >= sizeof g_cleanup / sizeof g_cleanup[0]) return;
    memcpy(g_cleanup, w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    g_cleanup_armed = true;
}

static BOOL WINAPI OnInterrupt(DWORD) {
    // The temporary file is shared for deletion: it goes when the process
    // ends and closes it. FALSE lets the default handler end the process.
    if (g_cleanup_armed) DeleteFileW(g_cleanup);
    return FALSE;
}

void InstallInterruptCleanup() { SetConsoleCtrlHandler(OnInterrupt, TRUE); }

// Text in the ANSI code page with CRLF line ends, as cmd and Notepad expect.
static std::string Ansi(const std::string& text) {
    std::wstring w;
    for (wchar_t c : Wide(text + "\n")) {
        if (c == L'\n') w += L'\r';
        w += c;
    }
    return velmora::ToAnsiReadable(w);
}

bool FitsResultsFile(const std::string& text) { return velmora::ToAnsi(Wide(text)).has_value(); }

void PrintLine(const std::string& text, bool to_stderr) {
    HANDLE h = GetStdHandle(to_stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
    DWORD mode, did;
    if (GetConsoleMode(h, &mode)) {
        std::wstring w = Wide(text + "\n");
        WriteConsoleW(h, w.data(), (DWORD)w.size(), &did, nullptr);
        return;
    }
    std::string a = Ansi(text);
    WriteFile(h, a.data(), (DWORD)a.size(), &did, nullptr);
}

bool GetEnv(const char* name, std::string* value) {
    std::wstring wname = Wide(name);
    DWORD n = GetEnvironmentVariableW(wname.c_str(), nullptr, 0);
    if (n <= 1) return false;
    std::wstring w(n, L'\0');
    n = GetEnvironmentVariableW(wname.c_str(), w.data(), n);
    w.resize(n);
    *value = Narrow(w);
    return true;
}

// Virus scanners and indexers open new files for a moment: a locked results
// file is tried again for this long before the line is given up.
constexpr DWORD kAppendPatienceMs = 5000;

static bool AppendData(const std::string& path, const std::string& a, Error* e) {
    if (Injected(Op::Append, e)) return false;
    std::wstring w = WinPath(path);
    HANDLE h;
    for (DWORD waited = 0;; waited += 20) {
        h = CreateFileW(w.c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) break;
        DWORD c = GetLastError();
        bool locked = c == ERROR_SHARING_VIOLATION || c == ERROR_LOCK_VIOLATION;
        if (!locked || waited >= kAppendPatienceMs) return Fail(Op::Append, e);
        Sleep(20);
    }
    // Tools started together append one at a time: Windows makes each
    // append atomic, Wine does not always, and a line must never be lost.
    // The lock is on a byte far past any results file's end.
    OVERLAPPED turn{};
    turn.OffsetHigh = 0x7FFFFFFF;
    const bool locked = LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &turn) != 0;
    DWORD did = 0;
    bool ok = (WriteFile(h, a.data(), (DWORD)a.size(), &did, nullptr) && did == a.size()) ||
              Fail(Op::Append, e);
    if (locked) UnlockFileEx(h, 0, 1, 0, &turn);
    return (CloseHandle(h) || Fail(Op::Append, e)) && ok;
}

bool AppendLine(const std::string& path, const std::string& text, Error* e) {
    return AppendData(path, Ansi(text), e);
}

bool AppendBytes(const std::string& path, const std::string& bytes, Error* e) {
    return AppendData(path, bytes, e);
}

}  // namespace jhead::fs
