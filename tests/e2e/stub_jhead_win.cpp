// A stand-in for jhead.exe in end-to-end tests: it records each call in
// calls.log beside itself and answers "-de P" by writing P + ".tmp" (the
// picture's bytes after "cleaned:") and an outcome record that says so and
// names the file's full path. A
// picture whose bytes start with "slow" makes it wait three seconds first.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/tool_outcome.h"
#include "narrow_win.h"
#include "runtime/file_bytes.h"

using velmora::test::ReadBytes;
using velmora::test::WriteBytes;

int wmain(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::filesystem::path log = std::filesystem::path(self).parent_path() / L"calls.log";

    wchar_t eventFile[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"VELMORA_EVENT_FILE", eventFile, MAX_PATH);
    std::wstring line;
    for (int i = 1; i < argc; ++i) line += std::wstring(i > 1 ? L" | " : L"") + argv[i];
    std::ofstream(log, std::ios::binary | std::ios::app)
        << Narrow(line + L" || " + eventFile, CP_UTF8) << "\n";

    if (argc == 3 && std::wstring(argv[1]) == L"-de") {
        const std::string picture = ReadBytes(argv[2]);
        if (picture.rfind("slow", 0) == 0) Sleep(3000);
        WriteBytes(std::wstring(argv[2]) + L".tmp", "cleaned:" + picture);
        wchar_t outcomes[MAX_PATH] = L"";
        GetEnvironmentVariableW(L"VELMORA_OUTCOME_FILE", outcomes, MAX_PATH);
        wchar_t opened[MAX_PATH] = L"";
        GetFullPathNameW(argv[2], MAX_PATH, opened, nullptr);
        const velmora::OutcomeRecord r{
            velmora::ToolOutcome::Cleaned, velmora::ToolReason::None, true, false, true,
            Narrow(argv[2], CP_UTF8),      Narrow(opened, CP_UTF8)};
        std::ofstream(std::filesystem::path(outcomes), std::ios::binary | std::ios::app)
            << FormatOutcomeRecord(r);
    }
    return 0;
}
