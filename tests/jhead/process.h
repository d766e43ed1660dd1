// Running the built tool and the oracle programs (djpeg, exiftool, cjpeg)
// from the tests, POSIX only.
#pragma once

#include <string>

namespace jhead_test {

// Single-quoted for sh.
std::string Quote(const std::string& s);
// Runs a shell command; returns its standard output. *status gets the exit
// status, or 128 + signal when it was killed.
std::string Shell(const std::string& command, int* status = nullptr);

}  // namespace jhead_test
