#include "runtime/processes_win.h"

#include <windows.h>

#include "runtime/handles_win.h"

namespace velmora {

// A tied process runs in a job object of its own that ends every process
// in it when its last handle closes: when this program ends, even by a
// crash, nothing it started goes on changing files.
class Win32Process : public Process {
public:
    Win32Process(Win32Processes& all, uint32_t id, HANDLE handle, HANDLE job)
        : all_(all), id_(id), handle_(handle), job_(job) {
        if (job_) all_.tied_.insert(this);
    }
    ~Win32Process() override { all_.tied_.erase(this); }
    uint32_t Id() const override { return id_; }
    bool WaitForExit(int ms) override {
        return WaitForSingleObject(handle_.get(), DWORD(ms)) != WAIT_TIMEOUT;
    }
    void Terminate() override { TerminateProcess(handle_.get(), 1); }
    bool WaitForTree(int ms) override {
        if (!job_) return WaitForExit(ms);
        for (int waited = 0;; waited += kTreePollMs) {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
            if (!QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &info,
                                           sizeof info, nullptr)) {
                return WaitForExit(ms);
            }
            if (info.ActiveProcesses == 0) return true;
            if (waited >= ms) return false;
            Sleep(kTreePollMs);
        }
    }
    void TerminateTree() override {
        if (job_) TerminateJobObject(job_.get(), 1);
        Terminate();
    }

private:
    static constexpr int kTreePollMs = 20;
    Win32Processes& all_;
    uint32_t id_;
    UniqueHandle handle_;
    UniqueHandle job_;
};

namespace {

HANDLE MakeTiedJob() {
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job) return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job);
        return nullptr;
    }
    return job;
}

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
    // /d: no AutoRun commands from the registry. /v:off: "!" is an ordinary
    // character even where delayed expansion is switched on for the user.
    std::wstring interpreter = comSpec.empty() ? L"cmd.exe" : Str(comSpec);
    return L"\"" + interpreter + L"\" /d /v:off /s /c \"" + Str(commandLine) + L"\"";
}

std::unique_ptr<Process> Win32Processes::Start(std::wstring_view commandLine, Show show,
                                               std::wstring_view workingFolder, Tree tree) {
    std::wstring command = ResolveCommandLine(commandLine, Environ(L"ComSpec"));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = WORD(show == Show::Hidden      ? SW_HIDE
                          : show == Show::Minimized ? SW_SHOWMINIMIZED
                                                    : SW_SHOWNORMAL);
    // A tied process must not run before it is in its job: whatever it
    // started meanwhile would be outside.
    UniqueHandle job(tree == Tree::Tied ? MakeTiedJob() : nullptr);
    if (tree == Tree::Tied && !job) return nullptr;
    // A hidden console program gets a console without a window.
    const DWORD flags =
        (show == Show::Hidden ? CREATE_NO_WINDOW : 0) | (job ? CREATE_SUSPENDED : 0);
    const std::wstring folder = Str(workingFolder);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        return nullptr;
    }
    UniqueHandle thread(pi.hThread);
    if (job && !AssignProcessToJobObject(job.get(), pi.hProcess)) {
        TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hProcess);
        return nullptr;
    }
    if (job) ResumeThread(thread.get());
    return std::make_unique<Win32Process>(*this, pi.dwProcessId, pi.hProcess, job.Release());
}

void Win32Processes::EndTied() {
    for (Win32Process* process : tied_) process->TerminateTree();
}

std::wstring Win32Processes::Environ(std::wstring_view name) {
    const std::wstring key = Str(name);
    DWORD n = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    n = GetEnvironmentVariableW(key.c_str(), value.data(), n);
    value.resize(n);
    return value;
}

void Win32Processes::SetEnviron(std::wstring_view name, std::wstring_view value) {
    SetEnvironmentVariableW(Str(name).c_str(), Str(value).c_str());
}

std::wstring Win32Processes::CommandLine() { return CommandLineAfterProgram(GetCommandLineW()); }

namespace {

std::wstring ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::wstring Win32Processes::AppExeName() {
    const std::wstring path = ExePath();
    const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    return name.substr(0, name.rfind(L'.'));
}

std::wstring Win32Processes::AppPath() {
    const std::wstring path = ExePath();
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // A drive root keeps its separator ("C:\"), as the folder's own name.
    return path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash);
}

}  // namespace velmora
