#include "process.h"

#include <stdio.h>
#include <sys/wait.h>

namespace jhead_test {

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

std::string Shell(const std::string& command, int* status) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) {
        if (status) *status = -1;
        return out;
    }
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int st = pclose(p);
    if (status) *status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
    return out;
}

bool HaveProgram(const char* name) {
    int status;
    Shell(std::string("command -v ") + name + " >/dev/null 2>&1", &status);
    return status == 0;
}

}  // namespace jhead_test
