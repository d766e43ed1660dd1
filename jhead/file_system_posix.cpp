#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_system.h"

namespace jhead::fs {

static bool Fail(Op op, Error* e) {
    int c = errno;
    Err kind = Err::Other;
    if (c == ENOENT || c == ENOTDIR) kind = Err::NotFound;
    if (c == EACCES || c == EPERM || c == EROFS) kind = Err::AccessDenied;
    if (c == ENOSPC || c == EDQUOT || c == EFBIG) kind = Err::DiskFull;
    if (c == EBUSY || c == ETXTBSY) kind = Err::InUse;
    *e = {kind, c, op};
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

bool OpenRead(const std::string& path, File* f, Info* info, Error* e) {
    if (Injected(Op::Open, e)) return false;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
    // Root may write anything; the permission bits say what the owner wants.
    info->read_only = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
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

bool Rewind(File f, Error* e) {
    if (lseek(Fd(f), 0, SEEK_SET) == 0) return true;
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
    // Owner first: changing it may clear set-id bits that fchmod then restores.
    // Only root may give a file away; others keep their own ownership.
    if (fchown(Fd(dst), st.st_uid, st.st_gid) != 0 && errno != EPERM) {
        return Fail(Op::CopyMetadata, e);
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

static std::string Folder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool Replace(const std::string& from, const std::string& to, Error* e) {
    if (Injected(Op::Replace, e)) return false;
    if (rename(from.c_str(), to.c_str()) != 0) return Fail(Op::Replace, e);
    // The rename itself lives in the folder: make it durable too. It has
    // happened by now, so a failure here is not the picture's loss.
    int dir = open(Folder(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

bool Remove(const std::string& path) { return unlink(path.c_str()) == 0; }

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

unsigned ProcessId() { return (unsigned)getpid(); }

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

bool AppendLine(const std::string& path, const std::string& text) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::string line = text + "\n";
    bool ok = WriteAll(fd, (const uint8_t*)line.data(), line.size());
    return close(fd) == 0 && ok;
}

}  // namespace jhead::fs
