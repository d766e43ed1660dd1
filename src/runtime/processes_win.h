// Processes over the real system.
#pragma once

#include <set>

#include "runtime/processes.h"

namespace velmora {

class Win32Process;

class Win32Processes : public Processes {
public:
    std::unique_ptr<Process> Start(std::wstring_view commandLine, Show show,
                                   std::wstring_view workingFolder, Tree tree) override;
    void EndTied() override;
    std::wstring Environ(std::wstring_view name) override;
    void SetEnviron(std::wstring_view name, std::wstring_view value) override;
    std::wstring CommandLine() override;
    std::wstring AppPath() override;
    std::wstring AppExeName() override;

private:
    friend class Win32Process;
    std::set<Win32Process*> tied_;
};

// The text after the program's path in a full command line, leading blanks
// removed. The path may be quoted.
std::wstring CommandLineAfterProgram(std::wstring_view fullCommandLine);

// The command line that runs `commandLine`: a batch script (.bat or .cmd as
// its first item) goes through the command interpreter.
std::wstring ResolveCommandLine(std::wstring_view commandLine, std::wstring_view comSpec);

}  // namespace velmora
