// The narrow set of system services the program's handlers use: message and
// input boxes, the event pump, processes, files, environment, timers and the
// mouse pointer. Win32 implements it (platform_win.cpp); tests script it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Message box styles and answers, with the platform's numeric values.
enum : int {
    kMbOk = 0,
    kMbYesNoCancel = 3,
    kMbIconCritical = 16,
    kMbIconQuestion = 32,
    kMbDefButton2 = 256,
};
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// Show-window values for started processes.
enum : int { kShowHidden = 0, kShowNormal = 1, kShowMinimized = 2 };

// File attribute bits, with the platform's numeric values.
enum : uint32_t {
    kAttrReadOnly = 0x1,
    kAttrHidden = 0x2,
    kAttrSystem = 0x4,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
};

// A started process. Destroying it releases the handle; the process goes on.
class Process {
public:
    virtual ~Process() = default;
    virtual uint32_t Id() const = 0;
    // Waits up to `ms` milliseconds; true once the process has ended.
    virtual bool WaitForExit(int ms) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box; `title` empty means the application title.
    virtual int MsgBox(std::wstring_view text, int style, std::wstring_view title = {}) = 0;
    // Modal input box at a position in twips (negative: centred). Returns
    // the typed text, or the empty text on Cancel.
    virtual std::wstring InputBox(std::wstring_view prompt, std::wstring_view defaultText,
                                  int xTwips = -1, int yTwips = -1) = 0;
    // Handles every pending user-interface event, then returns.
    virtual void DoEvents() = 0;
    virtual void Sleep(int ms) = 0;
    // Ends the whole program at once.
    virtual void EndProgram() = 0;

    // Starts a command line; nullptr when it could not be started.
    virtual std::unique_ptr<Process> StartProcess(std::wstring_view commandLine, int show) = 0;

    // Environment of this process (inherited by started processes); an
    // unset variable reads as the empty text.
    virtual std::wstring Environ(std::wstring_view name) = 0;
    virtual void SetEnviron(std::wstring_view name, std::wstring_view value) = 0;
    // The command line after the program's own path, leading blanks removed.
    virtual std::wstring CommandLine() = 0;
    // The folder of the executable, without a trailing separator.
    virtual std::wstring AppPath() = 0;

    // Files. Each returns false / nullopt on failure and never throws.
    virtual std::optional<uint32_t> FileAttributes(std::wstring_view path) = 0;
    virtual std::optional<int64_t> FileSize(std::wstring_view path) = 0;
    virtual bool CopyFileTo(std::wstring_view from, std::wstring_view to) = 0;
    // Moves `from` onto `to` in one step, replacing `to`, flushed to disk.
    virtual bool MoveReplace(std::wstring_view from, std::wstring_view to) = 0;
    // Writes `text` in the system's ANSI code page, replacing or appending.
    virtual bool SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) = 0;

    // Repeating timer; returns an id for KillTimer, 0 on failure.
    virtual int SetTimer(int ms, std::function<void()> onTick) = 0;
    virtual void KillTimer(int id) = 0;

    // The busy (hourglass) pointer over all the program's windows, until reset.
    virtual void SetBusyPointer(bool busy) = 0;
};

}  // namespace velmora
