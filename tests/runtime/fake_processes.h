// Processes for tests: an environment, a command line, and scripted
// processes that run a callback and end after a number of waits.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "runtime/processes.h"

namespace velmora::test {

class FakeProcesses : public Processes {
public:
    std::map<std::wstring, std::wstring> environment;
    std::wstring commandLine;
    std::wstring appPath = L"C:\\Program Files\\Velmora";
    bool startFails = false;
    int waitsBeforeExit = 1;
    std::function<void(int wait)> onWait;  // runs on every wait of the process
    bool terminated = false;

    std::unique_ptr<Process> Start(std::wstring_view, Show, std::wstring_view) override {
        if (startFails) return nullptr;
        return std::make_unique<FakeProcess>(*this);
    }
    std::wstring Environ(std::wstring_view name) override {
        auto v = environment.find(std::wstring(name));
        return v == environment.end() ? std::wstring() : v->second;
    }
    void SetEnviron(std::wstring_view name, std::wstring_view value) override {
        environment[std::wstring(name)] = value;
    }
    std::wstring CommandLine() override { return commandLine; }
    std::wstring AppPath() override { return appPath; }

private:
    class FakeProcess : public Process {
    public:
        explicit FakeProcess(FakeProcesses& owner) : owner_(owner) {}
        uint32_t Id() const override { return 100; }
        bool WaitForExit(int) override {
            if (owner_.onWait) owner_.onWait(waits_);
            return owner_.terminated || ++waits_ >= owner_.waitsBeforeExit;
        }
        void Terminate() override { owner_.terminated = true; }

    private:
        FakeProcesses& owner_;
        int waits_ = 0;
    };
};

}  // namespace velmora::test
