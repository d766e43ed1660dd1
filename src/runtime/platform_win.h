// The Win32 implementation of the platform services.
#pragma once

#include "runtime/platform.h"

namespace velmora {

class Win32Platform : public Platform {
public:
    explicit Win32Platform(std::wstring appTitle);

    int MsgBox(std::wstring_view text, int style, std::wstring_view title) override;
    std::wstring InputBox(std::wstring_view prompt, std::wstring_view defaultText, int xTwips,
                          int yTwips) override;
    void DoEvents() override;
    void Sleep(int ms) override;
    void EndProgram() override;
    std::unique_ptr<Process> StartProcess(std::wstring_view commandLine, int show) override;
    std::wstring Environ(std::wstring_view name) override;
    void SetEnviron(std::wstring_view name, std::wstring_view value) override;
    std::wstring CommandLine() override;
    std::wstring AppPath() override;
    std::optional<uint32_t> FileAttributes(std::wstring_view path) override;
    std::optional<int64_t> FileSize(std::wstring_view path) override;
    bool CopyFileTo(std::wstring_view from, std::wstring_view to) override;
    bool MoveReplace(std::wstring_view from, std::wstring_view to) override;
    bool SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) override;
    int SetTimer(int ms, std::function<void()> onTick) override;
    void KillTimer(int id) override;
    void SetBusyPointer(bool busy) override;

private:
    std::wstring appTitle_;
};

// The text after the program's path in a full command line, leading blanks
// removed. The path may be quoted.
std::wstring CommandLineAfterProgram(std::wstring_view fullCommandLine);

// The command line that runs `commandLine`: a batch script (.bat or .cmd as
// its first item) goes through the command interpreter.
std::wstring ResolveCommandLine(std::wstring_view commandLine, std::wstring_view comSpec);

}  // namespace velmora
