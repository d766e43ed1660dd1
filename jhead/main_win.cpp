#include <windows.h>

#include <cwchar>
#include <string>

#include "tool.h"
#include "platform/utf16.h"

namespace {

// A picture named by its short (8.3) form, as a script in the ANSI code page
// names one whose name that page cannot hold, is worked on under its long
// name: replacing the file through the short name would give the cleaned
// picture that short name as its only name.
std::wstring LongName(const wchar_t* arg) {
    DWORD n = GetLongPathNameW(arg, nullptr, 0);
    if (n == 0) return arg;
    std::wstring path(n, L'\0');
    n = GetLongPathNameW(arg, path.data(), n);
    if (n == 0 || n >= path.size()) return arg;
    path.resize(n);
    return path;
}

}  // namespace

// Unicode arguments, so that names outside the ANSI code page arrive intact.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; i++) {
        const std::wstring arg = argv[i][0] == L'-' ? std::wstring(argv[i]) : LongName(argv[i]);
        args.push_back(jhead::Utf16ToUtf8(std::u16string(arg.begin(), arg.end())));
    }
    return jhead::RunTool(args);
}
