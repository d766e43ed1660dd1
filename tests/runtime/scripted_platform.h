// A Platform for tests: answers given in advance, an in-memory file system,
// scripted processes, and every call recorded as one line of `log`.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/platform.h"

namespace velmora::test {

struct FakeFile {
    FakeFile(int64_t s = 0, uint32_t a = kAttrArchive) : size(s), attributes(a) {}
    int64_t size = 0;
    uint32_t attributes = kAttrArchive;
    std::wstring text;    // what SaveSimpleFile wrote, if anything
    bool locked = false;  // in use: cannot be replaced or deleted
};

class ScriptedPlatform : public Platform {
public:
    // Recorded calls, e.g. L"MsgBox 0 |搞定".
    std::vector<std::wstring> log;
    std::deque<int> msgBoxAnswers;          // default kIdOk
    std::deque<std::wstring> inputAnswers;  // default empty (Cancel)
    std::map<std::wstring, std::wstring> environment;
    std::map<std::wstring, FakeFile> files;  // by exact path
    std::wstring commandLine;
    std::wstring appPath = L"C:\\Program Files\\Velmora";

    // Processes: whether a start succeeds, how many 100 ms waits each takes,
    // and what the process does when it runs (e.g. write ".tmp" outputs).
    bool startFails = false;
    int processPasses = 1;
    std::function<void(const std::wstring& commandLine)> onProcessRun;
    std::function<void()> onDoEvents;

    int doEventsCount = 0;
    int sleptMs = 0;
    bool ended = false;
    bool busyPointer = false;

    int MsgBox(std::wstring_view text, int style, std::wstring_view title) override;
    std::wstring InputBox(std::wstring_view prompt, std::wstring_view defaultText, int xTwips,
                          int yTwips) override;
    void DoEvents() override;
    void Sleep(int ms) override;
    void EndProgram() override;
    std::unique_ptr<Process> StartProcess(std::wstring_view commandLine, int show) override;
    std::wstring Environ(std::wstring_view name) override;
    void SetEnviron(std::wstring_view name, std::wstring_view value) override;
    std::wstring CommandLine() override {
        log.push_back(L"CommandLine");
        return commandLine;
    }
    std::wstring AppPath() override {
        log.push_back(L"AppPath");
        return appPath;
    }
    std::optional<uint32_t> FileAttributes(std::wstring_view path) override;
    std::optional<int64_t> FileSize(std::wstring_view path) override;
    bool CopyFileTo(std::wstring_view from, std::wstring_view to) override;
    bool MoveReplace(std::wstring_view from, std::wstring_view to) override;
    bool SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) override;
    int SetTimer(int ms, std::function<void()> onTick) override;
    void KillTimer(int id) override;
    void SetBusyPointer(bool busy) override;

    // Runs the callback of timer `id` once, as if its interval had passed.
    void FireTimer(int id);
    // Lines of `log` that start with `prefix`.
    std::vector<std::wstring> Calls(std::wstring_view prefix) const;

private:
    std::map<int, std::function<void()>> timers_;
    int nextTimer_ = 1;
    uint32_t nextPid_ = 100;
};

}  // namespace velmora::test
