// State-keeping stand-ins for the platform services: the messages shown,
// an in-memory file system, a process table that runs scripted processes,
// hand-overs between starts, the run lock, and an event loop whose pump
// calls back into the test.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "runtime/fake_code_page.h"
#include "runtime/fake_registry.h"
#include "runtime/services.h"

namespace velmora::test {

// The next scripted answer, or `otherwise` when the test scripted none.
template <typename T>
T Next(std::deque<T>& scripted, T otherwise) {
    if (scripted.empty()) return otherwise;
    T next = std::move(scripted.front());
    scripted.pop_front();
    return next;
}

class FakeDialogs : public Dialogs {
public:
    std::vector<Message> shown;
    std::deque<Answer> answers;                // default: the first button
    std::deque<std::wstring> inputs;           // default: empty (Cancel)
    std::deque<FileDialogAnswer> fileAnswers;  // default: cancelled
    std::vector<FileDialogRequest> fileRequests;
    std::wstring inputDefault;  // the last input box's default text and place
    TwipsPoint inputPlace;
    std::function<void()> onModal;  // runs inside every modal call

    Answer MsgBox(const Message& message) override {
        shown.push_back(message);
        if (onModal) onModal();
        return Next(answers, message.buttons == Buttons::Ok ? Answer::Ok : Answer::Yes);
    }
    std::wstring InputBox(std::wstring_view, std::wstring_view defaultText,
                          TwipsPoint where) override {
        inputDefault = defaultText;
        inputPlace = where;
        if (onModal) onModal();
        return Next(inputs, {});
    }
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        if (onModal) onModal();
        return Next(fileAnswers, {});
    }
    TwipsPoint ScreenSize() override { return {19200, 10800}; }
    // The texts of the messages shown, in order.
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const Message& m : shown) texts.push_back(m.text);
        return texts;
    }
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
    std::map<std::wstring, FakeFile, std::less<>> files;  // by exact path
    std::vector<std::wstring> folders;  // writable folders; a missing one fails writes
    // Listed folders (ending in "\") with their entries in listing order.
    std::map<std::wstring, std::vector<FolderEntry>, std::less<>> tree;
    // Short (8.3) forms; a path without one is on a volume that keeps none.
    std::map<std::wstring, std::wstring, std::less<>> shortNames;
    std::wstring currentFolder = L"C:\\Users\\me";
    size_t copyCut = std::wstring::npos;  // copies end after this many characters

    std::optional<FileInfo> Stat(std::wstring_view path) override {
        auto f = files.find(path);
        if (f != files.end())
            return FileInfo{f->second.size, f->second.readOnly, f->second.hidden, false, false};
        if (tree.count(std::wstring(path) + L"\\") ||
            std::ranges::find(folders, path) != folders.end())
            return FileInfo{0, 0, 0, 0, true};
        return std::nullopt;
    }
    bool Copy(std::wstring_view from, std::wstring_view to) override {
        auto it = files.find(from), target = files.find(to);
        if (it == files.end() || !FolderExists(to)) return false;
        if (target != files.end() && (target->second.locked || target->second.readOnly))
            return false;
        FakeFile copy = it->second;
        copy.readOnly = copy.hidden = copy.locked = false;
        copy.text.resize(std::min(copy.text.size(), copyCut));
        files[std::wstring(to)] = copy;
        return true;
    }
    bool Delete(std::wstring_view path) override {
        auto it = files.find(path);
        if (it == files.end() || it->second.locked || it->second.readOnly) return false;
        files.erase(it);
        return true;
    }
    // Against `currentFolder` ("C:\dir"), with ".." resolved; a path with a
    // drive and separator or a network path stays (drive-relative forms are
    // left to the tests on the real system).
    std::wstring FullPath(std::wstring_view path) override {
        if (path.empty()) return {};
        const bool absolute = path.substr(1, 2) == L":\\" || path.substr(0, 2) == L"\\\\";
        std::wstring full =
            absolute ? std::wstring(path) : currentFolder + L"\\" + std::wstring(path);
        for (size_t up; (up = full.find(L"\\..")) != std::wstring::npos;) {
            const size_t from = full.rfind(L'\\', up - 1);
            full.erase(from, up + 3 - from);
        }
        return full;
    }
    bool MoveReplace(std::wstring_view from, std::wstring_view to) override {
        auto it = files.find(from), target = files.find(to);
        if (it == files.end() || (target != files.end() && target->second.locked)) return false;
        FakeFile moved = it->second;
        files.erase(it);
        files[std::wstring(to)] = moved;
        return true;
    }
    bool SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) override {
        if (!FolderExists(path)) return false;
        FakeFile& f = files[std::wstring(path)];
        if (f.readOnly || f.locked) return false;
        f.text = append ? f.text + std::wstring(text) : std::wstring(text);
        f.size = int64_t(f.text.size());
        return true;
    }
    bool AnsiHolds(std::wstring_view text) override { return FakeAnsi(text).has_value(); }
    std::optional<std::wstring> ShortPath(std::wstring_view path) override {
        auto it = shortNames.find(path);
        return it == shortNames.end() ? std::nullopt : std::optional(it->second);
    }
    // ASCII letters only: tests of other scripts run against the real system.
    std::wstring CaseKey(std::wstring_view name) override {
        std::wstring key(name);
        for (wchar_t& c : key) c = c >= L'a' && c <= L'z' ? wchar_t(c - 32) : c;
        return key;
    }
    std::optional<std::vector<FolderEntry>> ListFolder(std::wstring_view folder) override {
        auto it = tree.find(folder);
        return it == tree.end() ? std::nullopt : std::optional(it->second);
    }
    // The text as bytes, one per character: tests use ASCII.
    std::optional<std::string> ReadFile(std::wstring_view path) override {
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return std::string(it->second.text.begin(), it->second.text.end());
    }

    // The file a path names: itself, or the long name a short one stands
    // for (the first, as the system picks one of two twins).
    std::wstring Resolve(std::wstring_view path) {
        if (Stat(path)) return std::wstring(path);
        for (const auto& [longName, shortName] : shortNames) {
            if (shortName == path && Stat(longName)) return longName;
        }
        return {};
    }
    bool SameFile(std::wstring_view a, std::wstring_view b) override {
        const std::wstring first = Resolve(a);
        return !first.empty() && first == Resolve(b);
    }
    std::vector<std::wstring> links;  // links planted in the temporary folder
    bool IsLink(std::wstring_view path) override { return std::ranges::count(links, path) > 0; }
    std::unique_ptr<HeldFile> Hold(std::wstring_view path) override {
        auto it = files.find(path);
        if (it == files.end() || it->second.locked) return nullptr;
        // Held, it cannot be replaced, as locked.
        struct Held : HeldFile {
            explicit Held(FakeFile& f) : file(f) { file.locked = true; }
            ~Held() override { file.locked = false; }
            FakeFile& file;
        };
        return std::make_unique<Held>(it->second);
    }

    bool Has(const std::wstring& path) const { return files.count(path) != 0; }
    int64_t Size(const std::wstring& path) const { return files.at(path).size; }

private:
    bool FolderExists(std::wstring_view path) const {
        const size_t slash = path.find_last_of(L'\\');
        return slash == std::wstring_view::npos || folders.empty() ||
               std::ranges::find(folders, path.substr(0, slash)) != folders.end();
    }
};

class FakeProcesses : public Processes {
public:
    std::map<std::wstring, std::wstring, std::less<>> environment;
    std::wstring commandLine;
    // The command lines started, in order, and how each was started.
    std::vector<std::wstring> started;
    struct Start {
        Show show;
        Tree tree;
    };
    std::vector<Start> starts;
    bool startFails = false;
    // How many 100 ms waits a process takes, and what it does when it runs:
    // `onRun` gets the command line, its working folder and the environment
    // it was started with.
    int passes = 1;
    std::function<void(const std::wstring& commandLine, const std::wstring& folder)> onRun;
    // After its script ends, the tool it started goes on for this many
    // 100 ms waits of the tree.
    int toolPassesAfterScript = 0;  // of a tied one
    bool terminated = false;        // a script was ended from outside
    bool treeTerminated = false;    // ... and the processes under it too
    int running = 0;                // tied processes whose tree still runs

    std::unique_ptr<Process> Start(std::wstring_view commandLine, Show show,
                                   std::wstring_view folder, Tree tree) override {
        if (startFails) return nullptr;
        started.emplace_back(commandLine);
        starts.push_back({show, tree});
        return std::make_unique<OneProcess>(*this, started.back(), std::wstring(folder), tree);
    }
    void EndTied() override {
        for (OneProcess* p : live_) p->TerminateTree();
    }
    std::wstring Environ(std::wstring_view name) override {
        auto it = environment.find(name);
        return it == environment.end() ? std::wstring() : it->second;
    }
    void SetEnviron(std::wstring_view name, std::wstring_view value) override {
        environment[std::wstring(name)] = value;
    }
    std::wstring CommandLine() override { return commandLine; }
    std::wstring AppPath() override { return L"C:\\Program Files\\Velmora"; }
    std::wstring AppExeName() override { return L"Velmora"; }

private:
    // Does its work during its last wait, unless ended from outside.
    struct OneProcess : Process {
        OneProcess(FakeProcesses& all, std::wstring line, std::wstring folder, Tree tree)
            : all(all),
              line(std::move(line)),
              folder(std::move(folder)),
              id(100 + uint32_t(all.started.size())),
              passes(all.passes),
              toolPasses(all.toolPassesAfterScript),
              tied(tree == Tree::Tied) {
            if (tied) all.live_.push_back(this), ++all.running;
            treeEnded = !tied;
        }
        ~OneProcess() override {
            std::erase(all.live_, this);
            EndTree();  // a tied tree ends with its owner
        }
        uint32_t Id() const override { return id; }
        bool WaitForExit(int) override {
            if (ended) return true;
            if (--passes > 0) return false;
            if (!ran && all.onRun) all.onRun(line, folder);
            ran = ended = true;
            return true;
        }
        void Terminate() override { all.terminated = ended = true; }
        bool WaitForTree(int ms) override {
            if (!WaitForExit(ms) || (tied && toolPasses > 0 && --toolPasses > 0)) return false;
            EndTree();
            return true;
        }
        void TerminateTree() override {
            all.treeTerminated = ended = true;
            EndTree();
        }
        void EndTree() {
            if (tied && !treeEnded) --all.running;
            treeEnded = true;
        }
        FakeProcesses& all;
        std::wstring line, folder;
        uint32_t id;
        int passes, toolPasses;
        bool tied, ran = false, ended = false, treeEnded = false;
    };
    std::vector<OneProcess*> live_;
};

// Hand-overs as a test scripts them: `waiting` holds the paths that other
// starts handed over; the test fills it, e.g. from the event pump.
class FakeStartJoin : public StartJoin {
public:
    bool anotherRunTakes = false;
    bool open = true;
    std::vector<std::wstring> waiting;

    bool HandOver(const std::vector<std::wstring>&) override { return anotherRunTakes; }
    std::vector<std::wstring> TakeHandedOver() override { return std::exchange(waiting, {}); }
    bool CloseIfIdle() override {
        if (waiting.empty()) open = false;
        return !open;
    }
};

// The run lock of this program and of other copies of it.
class FakeRunLock : public RunLock {
public:
    bool heldElsewhere = false;  // another copy's run holds it
    bool held = false;
    bool TryAcquire() override {
        held = held || !heldElsewhere;
        return held;
    }
    void Release() override { held = false; }
};

class FakeEventLoop : public EventLoop {
public:
    std::function<void()> onDoEvents;
    int pumps = 0;
    int sleptMs = 0;
    bool ended = false;
    bool busy = false;

    void DoEvents() override {
        ++pumps;
        if (onDoEvents) onDoEvents();
    }
    void Sleep(int ms) override { sleptMs += ms; }
    std::unique_ptr<Timer> StartTimer(int ms, std::function<void()> onTick) override {
        timers_[++lastTimer_] = {ms, std::move(onTick)};
        return std::make_unique<OneTimer>(timers_, lastTimer_);
    }
    void SetBusyPointer(bool b) override { busy = b; }
    void EndProgram() override { ended = true; }
    // Runs every live timer's callback once, as if its interval had passed.
    void Tick() {
        std::vector<std::function<void()>> due;
        for (auto& [id, timer] : timers_) due.push_back(timer.second);
        for (auto& tick : due) tick();
    }
    // The intervals of the live timers, in milliseconds.
    std::vector<int> TimerIntervals() const {
        std::vector<int> intervals;
        for (auto& [id, timer] : timers_) intervals.push_back(timer.first);
        return intervals;
    }

private:
    using Timers = std::map<int, std::pair<int, std::function<void()>>>;
    struct OneTimer : Timer {
        OneTimer(Timers& timers, int id) : timers(timers), id(id) {}
        ~OneTimer() override { timers.erase(id); }
        Timers& timers;
        int id;
    };
    Timers timers_;
    int lastTimer_ = 0;
};

struct FakeServices {
    FakeDialogs dialogs;
    FakeFileSystem files;
    FakeProcesses processes;
    FakeEventLoop events;
    FakeRegistry registry;
    FakeStartJoin starts;
    FakeRunLock runLock;
    Services services{dialogs, files, processes, events, registry, starts, runLock};
};

}  // namespace velmora::test
