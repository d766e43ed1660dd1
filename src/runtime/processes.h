// Processes: starting and waiting, and what this process was given (its
// environment, command line and folder).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace velmora {

enum class Show { Hidden, Normal, Minimized };

// Whether the processes a started process starts in turn are bound to it.
enum class Tree { Free, Tied };

// A started process. Destroying it releases the handle; the process goes
// on, unless it is tied.
class Process {
public:
    virtual ~Process() = default;
    virtual uint32_t Id() const = 0;
    // Waits up to `ms` milliseconds; true once the process has ended.
    virtual bool WaitForExit(int ms) = 0;
    // Ends this process only; processes it started go on.
    virtual void Terminate() = 0;
    // A tied process: waits up to `ms` milliseconds; true once it and every
    // process started under it have ended. A free one waits for itself.
    virtual bool WaitForTree(int ms) = 0;
    // A tied process: ends it and every process started under it.
    virtual void TerminateTree() = 0;
};

class Processes {
public:
    virtual ~Processes() = default;
    // Starts a command line, in `workingFolder` when it is not empty;
    // nullptr when it could not be started. A tied process, and every
    // process started under it, ends when this program ends, however it
    // ends.
    virtual std::unique_ptr<Process> Start(std::wstring_view commandLine, Show show,
                                           std::wstring_view workingFolder = {},
                                           Tree tree = Tree::Free) = 0;
    // Ends every tied process tree still running.
    virtual void EndTied() = 0;
    // Environment of this process, inherited by started processes; an unset
    // variable reads as the empty text.
    virtual std::wstring Environ(std::wstring_view name) = 0;
    virtual void SetEnviron(std::wstring_view name, std::wstring_view value) = 0;
    // The command line after the program's own path, leading blanks removed.
    virtual std::wstring CommandLine() = 0;
    // The folder of the executable, without a trailing separator.
    virtual std::wstring AppPath() = 0;
    // The executable's file name without its extension.
    virtual std::wstring AppExeName() = 0;
};

}  // namespace velmora
