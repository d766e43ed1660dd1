#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"

namespace jhead::fs {

static Err Kind(int c) {
    switch (c) {
        case ENOENT:
            return Err::NotFound;
        case ENOTDIR:
            return Err::NotFolder;
        case EACCES:
        case EPERM:
            return Err::AccessDenied;
        case EROFS:
            return Err::ReadOnlyMedium;
        case ENOSPC:
        case EDQUOT:
            return Err::DiskFull;
        case EFBIG:
        case EOVERFLOW:
            return Err::TooLarge;
        case EBUSY:
        case ETXTBSY:
            return Err::InUse;
        case EISDIR:
        case ENXIO:
        case ENODEV:
            return Err::NotRegular;
        case ENAMETOOLONG:
            return Err::NameTooLong;
        case ELOOP:
            return Err::LinkLoop;
        case EINVAL:
        case EILSEQ:
            return Err::BadName;
        case EIO:
        case ESTALE:
            return Err::IoError;
        case EMFILE:
        case ENFILE:
            return Err::TooManyOpen;
        case ENOMEM:
            return Err::NoMemory;
    }
    return Err::Other;
}

static bool Fail(Op op, Error* e) {
    *e = {Kind(errno), errno, op};
    return false;
}

static int Fd(File f) { return (int)f.h; }

std::string FinalPath(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string s = real;
    free(real);
    return s;
}

std::string OpenedPath(File f) {
    char link[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", Fd(f));
    char target[PATH_MAX];
    const ssize_t n = readlink(link, target, sizeof target);
    return n <= 0 || size_t(n) >= sizeof target ? "" : std::string(target, size_t(n));
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

bool OpenRead(const std::string& path, bool to_change, File* f, Info* info, Error* e) {
    if (Injected(Op::Open, e)) return false;
    // Non-blocking, so that a FIFO without a writer cannot hold the tool in
    // open(). Linux ignores the flag for the regular files that get past
    // the check below.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Fail(Op::Open, e);
    struct stat st;
    if (fstat(fd, &st) != 0) {
        Fail(Op::Open, e);
        close(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        *e = {Err::NotRegular, 0, Op::Open};
        return false;
    }
    f->h = fd;
    info->size = (uint64_t)st.st_size;
    info->links = (uint32_t)st.st_nlink;
    // Root may write anything; the permission bits say what the owner wants.
    info->read_only = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    // Replacing needs only a writable folder; the file itself must be the
    // caller's to change too.
    if (to_change && faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        info->write_error = Kind(errno);
    }
    return true;
}

bool Read(File f, uint8_t* buf, size_t n, size_t* got, Error* e) {
    if (Injected(Op::Read, e)) return false;
    for (;;) {
        ssize_t r = read(Fd(f), buf, n);
        if (r >= 0) {
            *got = (size_t)r;
            return true;
        }
        if (errno != EINTR) return Fail(Op::Read, e);
    }
}

bool Rewind(File f, Error* e) { return Seek(f, 0, e); }

bool Seek(File f, uint64_t offset, Error* e) {
    if (offset <= (uint64_t)INT64_MAX && lseek(Fd(f), (off_t)offset, SEEK_SET) == (off_t)offset)
        return true;
    return Fail(Op::Read, e);
}

bool CreateNew(const std::string& path, File* f, Error* e) {
    if (Injected(Op::Create, e)) return false;
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return Fail(Op::Create, e);
    f->h = fd;
    return true;
}

static bool WriteAll(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        ssize_t w = write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= (size_t)w;
    }
    return true;
}

bool Write(File f, const uint8_t* p, size_t n, Error* e) {
    if (Injected(Op::Write, e)) return false;
    return WriteAll(Fd(f), p, n) || Fail(Op::Write, e);
}

bool CopyMetadata(File src, File dst, Error* e) {
    if (Injected(Op::CopyMetadata, e)) return false;
    struct stat st;
    if (fstat(Fd(src), &st) != 0) return Fail(Op::CopyMetadata, e);
    // Owner first: changing it may clear set-id bits that fchmod then
    // restores. A file that would change hands is not ours to replace.
    if (fchown(Fd(dst), st.st_uid, st.st_gid) != 0) {
        *e = {Err::OwnerNotKept, errno, Op::CopyMetadata};
        return false;
    }
    if (fchmod(Fd(dst), st.st_mode & 07777) != 0) return Fail(Op::CopyMetadata, e);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (futimens(Fd(dst), times) != 0) return Fail(Op::CopyMetadata, e);
    return true;
}

bool Flush(File f, Error* e) {
    if (Injected(Op::Flush, e)) return false;
    if (fsync(Fd(f)) != 0) return Fail(Op::Flush, e);
    return true;
}

bool CloseNative(intptr_t h, Error* e) {
    if (close((int)h) != 0) return Fail(Op::Close, e);
    return true;
}

bool Replace(const std::string& from, const std::string& to, Error* e) {
    if (Injected(Op::Replace, e)) return false;
    if (rename(from.c_str(), to.c_str()) != 0) return Fail(Op::Replace, e);
    return true;
}

bool Remove(const std::string& path) { return unlink(path.c_str()) == 0; }

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> NamesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    DIR* d = opendir(folder.empty() ? "." : folder.c_str());
    if (!d) return names;
    while (dirent* de = readdir(d)) {
        if (strncmp(de->d_name, prefix.c_str(), prefix.size()) == 0) names.push_back(de->d_name);
    }
    closedir(d);
    return names;
}

unsigned ProcessId() { return (unsigned)getpid(); }

bool ProcessAlive(unsigned pid) {
    return pid <= INT_MAX && (kill((pid_t)pid, 0) == 0 || errno != ESRCH);
}

// Read by the signal handler: a fixed buffer and a flag, nothing that
// allocates.
static char g_cleanup[PATH_MAX];
static volatile sig_atomic_t g_cleanup_armed = 0;

void SetInterruptCleanup(const std::string& path) {
    g_cleanup_armed = 0;
    if (path.empty() || path.size() >= sizeof g_cleanup) return;
    memcpy(g_cleanup, path.c_str(), path.size() + 1);
    g_cleanup_armed = 1;
}

static void OnInterrupt(int sig) {
    if (g_cleanup_armed) unlink(g_cleanup);
    // The handler was reset on entry: the signal, delivered again on
    // return, ends the process the way its sender expects.
    raise(sig);
}

void InstallInterruptCleanup() {
    struct sigaction sa = {};
    sa.sa_handler = OnInterrupt;
    sa.sa_flags = SA_RESETHAND;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &sa, nullptr);
}

bool FitsResultsFile(const std::string&) { return true; }

void PrintLine(const std::string& text, bool to_stderr) {
    FILE* out = to_stderr ? stderr : stdout;
    fwrite(text.data(), 1, text.size(), out);
    fputc('\n', out);
    fflush(out);
}

bool GetEnv(const char* name, std::string* value) {
    const char* v = getenv(name);
    if (!v || !*v) return false;
    *value = v;
    return true;
}

bool AppendBytes(const std::string& path, const std::string& bytes, Error* e) {
    if (Injected(Op::Append, e)) return false;
    // O_APPEND: each line lands whole at the end, whoever else appends.
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(Op::Append, e);
    bool ok = WriteAll(fd, (const uint8_t*)bytes.data(), bytes.size()) || Fail(Op::Append, e);
    return (close(fd) == 0 || Fail(Op::Append, e)) && ok;
}

bool AppendLine(const std::string& path, const std::string& text, Error* e) {
    return AppendBytes(path, text + "\n", e);
}

}  // namespace jhead::fs
