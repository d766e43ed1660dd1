// The only door to the operating system: files, folders, processes, the
// console, the environment. file_system_posix.cpp and file_system_win.cpp
// implement it; paths and texts are UTF-8 here (WTF-8 on Windows, so that
// any file name round-trips).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace jhead::fs {

enum class Op : uint8_t { Open, Read, Create, Write, CopyMetadata, Flush, Close, Replace, Append };

// Why an operation failed, in the words the report uses (see report.cpp).
enum class Err : uint8_t {
    None,
    NotFound,
    NotFolder,  // a part of the path is a file
    AccessDenied,
    ReadOnlyMedium,
    DiskFull,
    TooLarge,
    InUse,
    NotRegular,  // a folder, device, pipe or socket
    NameTooLong,
    LinkLoop,
    BadName,
    IoError,
    TooManyOpen,
    NoMemory,
    OwnerNotKept,
    Other,
};

struct Error {
    Err kind = Err::None;
    int code = 0;  // errno or GetLastError()
    Op op = Op::Open;
};

// A file descriptor on POSIX, a HANDLE on Windows.
struct File {
    intptr_t h = -1;
    bool open() const { return h != -1; }
};

struct Info {
    uint64_t size = 0;
    bool read_only = false;       // no write permission bit / FILE_ATTRIBUTE_READONLY
    Err write_error = Err::None;  // why the caller may not change it (when opened to change)
    uint32_t links = 1;           // names the file has (hard links)
};

// The file a path finally names (symbolic links followed), so that replacing
// it keeps the link.
std::string FinalPath(const std::string& path);
// The long, absolute path of the file `f` is open on; "" when unknown.
std::string OpenedPath(File f);
// The folder part of a path, with its separator ("" for the current folder).
std::string FolderOf(const std::string& path);

// Opens a regular file for reading without ever blocking: anything else (a
// FIFO, a device, a folder) fails with NotRegular. to_change also finds out
// whether the caller may write the file.
bool OpenRead(const std::string& path, bool to_change, File* f, Info* info, Error* e);
bool Read(File f, uint8_t* buf, size_t n, size_t* got, Error* e);
bool Rewind(File f, Error* e);
// Moves to a byte offset for the next Read.
bool Seek(File f, uint64_t offset, Error* e);
// Fails when the path exists: never overwrites anything.
bool CreateNew(const std::string& path, File* f, Error* e);
bool Write(File f, const uint8_t* p, size_t n, Error* e);
// Owner, group, permissions or attributes, and times of src onto dst; fails
// with OwnerNotKept when the owner or group cannot be kept.
bool CopyMetadata(File src, File dst, Error* e);
// Down to the disk, not just the cache.
bool Flush(File f, Error* e);
// Closes and marks f closed, also when closing fails.
bool Close(File* f, Error* e);
// The platform's close, for Close.
bool CloseNative(intptr_t h, Error* e);
// Atomically puts from in place of to.
bool Replace(const std::string& from, const std::string& to, Error* e);
bool Remove(const std::string& path);
bool Exists(const std::string& path);

// Names in a folder ("" for the current one) that start with prefix.
std::vector<std::string> NamesStartingWith(const std::string& folder, const std::string& prefix);
unsigned ProcessId();
// False only when no process has this id any more.
bool ProcessAlive(unsigned pid);
// The temporary file to remove when the process is interrupted (Ctrl+C,
// SIGTERM, console closed); "" for none. InstallInterruptCleanup arms it.
void SetInterruptCleanup(const std::string& path);
void InstallInterruptCleanup();

// One line of text on standard output or standard error.
void PrintLine(const std::string& text, bool to_stderr);
bool GetEnv(const char* name, std::string* value);
// Appends one line to a log file (in the ANSI code page on Windows) that
// other processes may be appending to, retrying a while when it is locked.
bool AppendLine(const std::string& path, const std::string& text, Error* e);
// Whether the results file can hold the text exactly: on Windows, every
// character is in the ANSI code page; on POSIX, always (UTF-8).
bool FitsResultsFile(const std::string& text);
// Appends bytes as they are (the outcome records, UTF-8), the same way.
bool AppendBytes(const std::string& path, const std::string& bytes, Error* e);

// Tests make operations fail on purpose: the hook returns the error an
// operation fails with, before touching anything; Err::None lets it run.
using FaultHook = Err (*)(Op op);
void SetFaultHook(FaultHook hook);
bool Injected(Op op, Error* e);

}  // namespace jhead::fs
