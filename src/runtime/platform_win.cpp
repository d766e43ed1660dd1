#include "runtime/platform_win.h"

#include <windows.h>

#include <map>

#include "runtime/message_loop_win.h"
#include "runtime/text_win.h"

namespace velmora {

namespace {

class Win32Process : public Process {
public:
    Win32Process(uint32_t id, HANDLE handle) : id_(id), handle_(handle) {}
    ~Win32Process() override { CloseHandle(handle_); }
    uint32_t Id() const override { return id_; }
    bool WaitForExit(int ms) override {
        return WaitForSingleObject(handle_, DWORD(ms)) != WAIT_TIMEOUT;
    }

private:
    uint32_t id_;
    HANDLE handle_;
};

std::wstring Str(std::wstring_view text) { return std::wstring(text); }

bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix) {
    return text.size() >= suffix.size() &&
           CompareStringOrdinal(text.data() + text.size() - suffix.size(), int(suffix.size()),
                                suffix.data(), int(suffix.size()), TRUE) == CSTR_EQUAL;
}

// First item of a command line, without its quotes.
std::wstring_view FirstItem(std::wstring_view commandLine) {
    if (!commandLine.empty() && commandLine[0] == L'"') {
        size_t end = commandLine.find(L'"', 1);
        return commandLine.substr(1, end == std::wstring_view::npos ? end : end - 1);
    }
    return commandLine.substr(0, commandLine.find_first_of(L" \t"));
}

std::map<UINT_PTR, std::function<void()>>& Timers() {
    static std::map<UINT_PTR, std::function<void()>> timers;
    return timers;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Timers().find(id);
    if (it == Timers().end()) return;
    std::function<void()> tick = it->second;  // the callback may kill its timer
    tick();
}

}  // namespace

std::wstring CommandLineAfterProgram(std::wstring_view full) {
    size_t i = 0;
    if (!full.empty() && full[0] == L'"') {
        size_t close = full.find(L'"', 1);
        i = close == std::wstring_view::npos ? full.size() : close + 1;
    }
    while (i < full.size() && full[i] != L' ' && full[i] != L'\t') ++i;
    while (i < full.size() && (full[i] == L' ' || full[i] == L'\t')) ++i;
    return Str(full.substr(i));
}

std::wstring ResolveCommandLine(std::wstring_view commandLine, std::wstring_view comSpec) {
    std::wstring_view first = FirstItem(commandLine);
    if (!EndsWithNoCase(first, L".bat") && !EndsWithNoCase(first, L".cmd")) {
        return Str(commandLine);
    }
    // /s: cmd strips exactly the outer quotes we add, whatever is inside.
    // /d: no AutoRun commands from the registry.
    std::wstring interpreter = comSpec.empty() ? L"cmd.exe" : Str(comSpec);
    return L"\"" + interpreter + L"\" /d /s /c \"" + Str(commandLine) + L"\"";
}

Win32Platform::Win32Platform(std::wstring appTitle) : appTitle_(std::move(appTitle)) {}

int Win32Platform::MsgBox(std::wstring_view text, int style, std::wstring_view title) {
    std::wstring caption = title.empty() ? appTitle_ : Str(title);
    return MessageBoxW(GetActiveWindow(), Str(text).c_str(), caption.c_str(),
                       UINT(style) | MB_SETFOREGROUND);
}

void Win32Platform::DoEvents() { PumpPendingMessages(); }

void Win32Platform::Sleep(int ms) { ::Sleep(DWORD(ms)); }

void Win32Platform::EndProgram() { ExitProcess(0); }

std::unique_ptr<Process> Win32Platform::StartProcess(std::wstring_view commandLine, int show) {
    std::wstring command = ResolveCommandLine(commandLine, Environ(L"ComSpec"));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = WORD(show == kShowHidden      ? SW_HIDE
                          : show == kShowMinimized ? SW_SHOWMINIMIZED
                                                   : SW_SHOWNORMAL);
    // A hidden console program gets a console without a window.
    DWORD flags = show == kShowHidden ? CREATE_NO_WINDOW : 0;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &si, &pi)) {
        return nullptr;
    }
    CloseHandle(pi.hThread);
    return std::make_unique<Win32Process>(pi.dwProcessId, pi.hProcess);
}

std::wstring Win32Platform::Environ(std::wstring_view name) {
    std::wstring key = Str(name);
    DWORD n = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    n = GetEnvironmentVariableW(key.c_str(), value.data(), n);
    value.resize(n);
    return value;
}

void Win32Platform::SetEnviron(std::wstring_view name, std::wstring_view value) {
    SetEnvironmentVariableW(Str(name).c_str(), Str(value).c_str());
}

std::wstring Win32Platform::CommandLine() { return CommandLineAfterProgram(GetCommandLineW()); }

std::wstring Win32Platform::AppPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // A drive root keeps its separator ("C:\"), as the folder's own name.
    return path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash);
}

std::optional<uint32_t> Win32Platform::FileAttributes(std::wstring_view path) {
    DWORD attr = GetFileAttributesW(Str(path).c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return uint32_t(attr);
}

std::optional<int64_t> Win32Platform::FileSize(std::wstring_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Str(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return int64_t((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

bool Win32Platform::CopyFileTo(std::wstring_view from, std::wstring_view to) {
    return CopyFileW(Str(from).c_str(), Str(to).c_str(), FALSE) != 0;
}

bool Win32Platform::MoveReplace(std::wstring_view from, std::wstring_view to) {
    return MoveFileExW(Str(from).c_str(), Str(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Platform::SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) {
    HANDLE file =
        CreateFileW(Str(path).c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ,
                    nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string bytes = ToAnsi(text);
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    return CloseHandle(file) && ok;
}

int Win32Platform::SetTimer(int ms, std::function<void()> onTick) {
    UINT_PTR id = ::SetTimer(nullptr, 0, UINT(ms), OnTimer);
    if (id == 0) return 0;
    Timers()[id] = std::move(onTick);
    return int(id);
}

void Win32Platform::KillTimer(int id) {
    ::KillTimer(nullptr, UINT_PTR(id));
    Timers().erase(UINT_PTR(id));
}

void Win32Platform::SetBusyPointer(bool busy) { SetBusyPointerState(busy); }

}  // namespace velmora
