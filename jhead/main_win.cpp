#include <cwchar>

#include "tool.h"
#include "utf16.h"

// Unicode arguments, so that names outside the ANSI code page arrive intact.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; i++) {
        args.push_back(jhead::Utf16ToUtf8(std::u16string(argv[i], argv[i] + wcslen(argv[i]))));
    }
    return jhead::RunTool(args);
}
