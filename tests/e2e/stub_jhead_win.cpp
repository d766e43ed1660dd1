// A stand-in for jhead.exe in end-to-end tests: it records each call in
// calls.log beside itself and answers "-de P" by writing P + ".tmp" (the
// picture's bytes after "cleaned:"). A picture whose bytes start with
// "slow" makes it wait three seconds first.
#include <windows.h>

#include <string>

#include "narrow_win.h"

namespace {

std::string Utf8(const std::wstring& text) { return Narrow(text, CP_UTF8); }

std::string ReadAll(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string data(size_t(GetFileSize(f, nullptr)), '\0');
    DWORD got = 0;
    ReadFile(f, data.data(), DWORD(data.size()), &got, nullptr);
    CloseHandle(f);
    data.resize(got);
    return data;
}

void Write(const std::wstring& path, const std::string& data, bool append) {
    HANDLE f = CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, 0, nullptr,
                           append ? OPEN_ALWAYS : CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(f, data.data(), DWORD(data.size()), &put, nullptr);
    CloseHandle(f);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring log(self);
    log = log.substr(0, log.find_last_of(L'\\')) + L"\\calls.log";

    wchar_t eventFile[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"VELMORA_EVENT_FILE", eventFile, MAX_PATH);
    std::wstring line;
    for (int i = 1; i < argc; ++i) line += std::wstring(i > 1 ? L" | " : L"") + argv[i];
    Write(log, Utf8(line + L" || " + eventFile) + "\n", true);

    if (argc == 3 && std::wstring(argv[1]) == L"-de") {
        std::string picture = ReadAll(argv[2]);
        if (picture.rfind("slow", 0) == 0) Sleep(3000);
        Write(std::wstring(argv[2]) + L".tmp", "cleaned:" + picture, false);
    }
    return 0;
}
