#include <windows.h>

#include "file_system.h"
#include "utf16.h"

namespace jhead::fs {

static std::wstring Wide(const std::string& s) {
    std::u16string u = Utf8ToUtf16(s);
    return std::wstring(u.begin(), u.end());
}

static std::string Narrow(const std::wstring& w) {
    return Utf16ToUtf8(std::u16string(w.begin(), w.end()));
}

// Paths near MAX_PATH (ours adds a suffix for the temporary file) need the
// \\?\ form, which takes only full paths with backslashes.
static std::wstring WinPath(const std::string& path) {
    std::wstring w = Wide(path);
    if (w.size() < MAX_PATH - 40 || w.rfind(L"\\\\?\\", 0) == 0) return w;
    DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0) return w;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(w.c_str(), n, full.data(), nullptr);
    full.resize(n);
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

static bool Fail(Op op, Error* e) {
    DWORD c = GetLastError();
    Err kind = Err::Other;
    if (c == ERROR_FILE_NOT_FOUND || c == ERROR_PATH_NOT_FOUND || c == ERROR_INVALID_NAME) {
        kind = Err::NotFound;
    }
    if (c == ERROR_ACCESS_DENIED || c == ERROR_WRITE_PROTECT) kind = Err::AccessDenied;
    if (c == ERROR_DISK_FULL || c == ERROR_HANDLE_DISK_FULL) kind = Err::DiskFull;
    if (c == ERROR_SHARING_VIOLATION || c == ERROR_LOCK_VIOLATION) kind = Err::InUse;
    *e = {kind, (int)c, op};
    return false;
}

static HANDLE H(File f) { return (HANDLE)f.h; }

std::string FinalPath(const std::string& path) { return path; }

bool OpenRead(const std::string& path, File* f, Info* info, Error* e) {
    if (Injected(Op::Open, e)) return false;
    HANDLE h = CreateFileW(WinPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Fail(Op::Open, e);
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

bool Rewind(File f, Error* e) {
    LARGE_INTEGER zero{};
    if (SetFilePointerEx(H(f), zero, nullptr, FILE_BEGIN)) return true;
    return Fail(Op::Read, e);
}

bool CreateNew(const std::string& path, File* f, Error* e) {
    if (Injected(Op::Create, e)) return false;
    HANDLE h = CreateFileW(WinPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool CopyMetadata(File src, File dst, Error* e) {
    if (Injected(Op::CopyMetadata, e)) return false;
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

unsigned ProcessId() { return (unsigned)GetCurrentProcessId(); }

// Text in the ANSI code page with CRLF line ends, as cmd and Notepad expect.
static std::string Ansi(const std::string& text) {
    std::wstring w;
    for (wchar_t c : Wide(text + "\n")) {
        if (c == L'\n') w += L'\r';
        w += c;
    }
    int n = WideCharToMultiByte(CP_ACP, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, w.data(), (int)w.size(), out.data(), n, nullptr, nullptr);
    return out;
}

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

bool AppendLine(const std::string& path, const std::string& text) {
    HANDLE h =
        CreateFileW(WinPath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string a = Ansi(text);
    DWORD did = 0;
    bool ok = WriteFile(h, a.data(), (DWORD)a.size(), &did, nullptr) && did == a.size();
    return CloseHandle(h) && ok;
}

}  // namespace jhead::fs
