// State-keeping stand-ins for the platform services: the messages shown,
// an in-memory file system, a process table that runs scripted processes,
// and an event loop whose pump calls back into the test.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/fake_registry.h"
#include "runtime/fake_start_join.h"
#include "runtime/services.h"

namespace velmora::test {

class FakeDialogs : public Dialogs {
public:
    std::vector<Message> shown;
    std::deque<Answer> answers;       // default: the first button
    std::deque<std::wstring> inputs;  // default: empty (Cancel)

    Answer MsgBox(const Message& message) override;
    std::wstring InputBox(std::wstring_view prompt, std::wstring_view defaultText,
                          TwipsPoint where) override;
    // The texts of the messages shown, in order.
    std::vector<std::wstring> Texts() const;
};

struct FakeFile {
    FakeFile(int64_t size = 0) : size(size) {}
    int64_t size = 0;
    std::wstring text;  // what SaveSimpleFile wrote
    bool readOnly = false;
    bool hidden = false;
    bool locked = false;  // in use: cannot be replaced
};

class FakeFileSystem : public FileSystem {
public:
    std::map<std::wstring, FakeFile> files;  // by exact path
    std::vector<std::wstring> folders;       // writable folders; a missing one fails writes
    // Short (8.3) forms; a path without one is on a volume that keeps none.
    std::map<std::wstring, std::wstring> shortNames;

    std::optional<FileInfo> Stat(std::wstring_view path) override;
    bool Copy(std::wstring_view from, std::wstring_view to) override;
    bool MoveReplace(std::wstring_view from, std::wstring_view to) override;
    bool SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) override;
    // The code page holds ASCII and the common Chinese characters.
    bool AnsiHolds(std::wstring_view text) override;
    std::optional<std::wstring> ShortPath(std::wstring_view path) override;
    // ASCII letters only: tests of other scripts run against the real system.
    std::wstring CaseKey(std::wstring_view name) override;

    bool Has(const std::wstring& path) const { return files.count(path) != 0; }
    int64_t Size(const std::wstring& path) const { return files.at(path).size; }

private:
    bool FolderExists(std::wstring_view path) const;
};

class FakeProcesses : public Processes {
public:
    std::map<std::wstring, std::wstring> environment;
    std::wstring commandLine;
    std::wstring appPath = L"C:\\Program Files\\Velmora";
    // The command lines started, in order.
    std::vector<std::wstring> started;
    bool startFails = false;
    // How many 100 ms waits a process takes, and what it does when it runs.
    int passes = 1;
    std::function<void(const std::wstring& commandLine)> onRun;

    std::unique_ptr<Process> Start(std::wstring_view commandLine, Show show,
                                   std::wstring_view workingFolder) override;
    std::wstring Environ(std::wstring_view name) override;
    void SetEnviron(std::wstring_view name, std::wstring_view value) override;
    std::wstring CommandLine() override { return commandLine; }
    std::wstring AppPath() override { return appPath; }
    std::wstring AppExeName() override { return L"Velmora"; }
};

class FakeEventLoop : public EventLoop {
public:
    std::function<void()> onDoEvents;
    int pumps = 0;
    int sleptMs = 0;
    bool ended = false;
    bool busy = false;

    void DoEvents() override;
    void Sleep(int ms) override { sleptMs += ms; }
    std::unique_ptr<Timer> StartTimer(int ms, std::function<void()> onTick) override;
    void SetBusyPointer(bool b) override { busy = b; }
    void EndProgram() override { ended = true; }
    // Runs every live timer's callback once, as if its interval had passed.
    void Tick();
    // The intervals of the live timers, in milliseconds.
    std::vector<int> TimerIntervals() const;

private:
    std::map<int, std::pair<int, std::function<void()>>> timers_;
    int nextTimer_ = 1;
};

struct FakeServices {
    FakeDialogs dialogs;
    FakeFileSystem files;
    FakeProcesses processes;
    FakeEventLoop events;
    FakeRegistry registry;
    FakeStartJoin starts;
    Services services{dialogs, files, processes, events, registry, starts};
};

}  // namespace velmora::test
