// Command line handling, shared by both entry points.
#pragma once

#include <string>
#include <vector>

namespace jhead {

constexpr const char* kVersion = "1.0.0";

// args: the arguments after the program name, UTF-8. Returns the exit status:
// 0 all cleaned or clean already, 1 any file failed, 2 usage error.
int RunTool(const std::vector<std::string>& args);

}  // namespace jhead
