// Running the built tool and the oracle programs (djpeg, exiftool, cjpeg)
// from the tests, POSIX only.
#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <string>

namespace jhead_test {

// Single-quoted for sh.
inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command; returns its standard output. *status gets the exit
// status, or 128 + signal when it was killed.
inline std::string Shell(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    char buf[65536];
    for (size_t n; p && (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    int st = p ? pclose(p) : -1;
    if (status) *status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
    return out;
}

}  // namespace jhead_test
