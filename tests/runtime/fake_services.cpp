#include "runtime/fake_services.h"

namespace velmora::test {

namespace {

std::wstring Str(std::wstring_view text) { return std::wstring(text); }

class FakeProcess : public Process {
public:
    FakeProcess(uint32_t id, int passes, std::function<void()> run)
        : id_(id), passes_(passes), run_(std::move(run)) {}
    uint32_t Id() const override { return id_; }
    // The process does its work during its last wait.
    bool WaitForExit(int) override {
        if (--passes_ > 0) return false;
        if (run_) std::exchange(run_, nullptr)();
        return true;
    }

private:
    uint32_t id_;
    int passes_;
    std::function<void()> run_;
};

class FakeTimer : public Timer {
public:
    FakeTimer(std::map<int, std::pair<int, std::function<void()>>>& timers, int id)
        : timers_(timers), id_(id) {}
    ~FakeTimer() override { timers_.erase(id_); }

private:
    std::map<int, std::pair<int, std::function<void()>>>& timers_;
    int id_;
};

}  // namespace

Answer FakeDialogs::MsgBox(const Message& message) {
    shown.push_back(message);
    if (answers.empty()) return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::wstring FakeDialogs::InputBox(std::wstring_view, std::wstring_view, TwipsPoint) {
    if (inputs.empty()) return {};
    std::wstring text = inputs.front();
    inputs.pop_front();
    return text;
}

std::vector<std::wstring> FakeDialogs::Texts() const {
    std::vector<std::wstring> texts;
    for (const Message& m : shown) texts.push_back(m.text);
    return texts;
}

bool FakeFileSystem::FolderExists(std::wstring_view path) const {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring_view::npos || folders.empty()) return true;
    for (const std::wstring& f : folders) {
        if (f == path.substr(0, slash)) return true;
    }
    return false;
}

std::optional<FileInfo> FakeFileSystem::Stat(std::wstring_view path) {
    auto it = files.find(Str(path));
    if (it == files.end()) return std::nullopt;
    const FakeFile& f = it->second;
    return FileInfo{f.size, f.readOnly, f.hidden, false, false};
}

bool FakeFileSystem::Copy(std::wstring_view from, std::wstring_view to) {
    auto it = files.find(Str(from));
    if (it == files.end() || !FolderExists(to)) return false;
    files[Str(to)] = it->second;
    return true;
}

bool FakeFileSystem::MoveReplace(std::wstring_view from, std::wstring_view to) {
    auto it = files.find(Str(from));
    auto target = files.find(Str(to));
    if (it == files.end() || (target != files.end() && target->second.locked)) return false;
    FakeFile moved = it->second;
    files.erase(it);
    files[Str(to)] = moved;
    return true;
}

bool FakeFileSystem::SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) {
    if (!FolderExists(path)) return false;
    FakeFile& f = files[Str(path)];
    if (f.readOnly || f.locked) return false;
    f.text = append ? f.text + Str(text) : Str(text);
    f.size = int64_t(f.text.size());
    return true;
}

bool FakeFileSystem::AnsiHolds(std::wstring_view text) {
    for (wchar_t c : text) {
        if (c >= 0x80 && !(c >= 0x4E00 && c <= 0x9FFF)) return false;
    }
    return true;
}

std::optional<std::wstring> FakeFileSystem::ShortPath(std::wstring_view path) {
    auto it = shortNames.find(Str(path));
    if (it == shortNames.end()) return std::nullopt;
    return it->second;
}

std::wstring FakeFileSystem::CaseKey(std::wstring_view name) {
    std::wstring key(name);
    for (wchar_t& c : key) {
        if (c >= L'a' && c <= L'z') c = wchar_t(c - 32);
    }
    return key;
}

std::unique_ptr<Process> FakeProcesses::Start(std::wstring_view commandLine, Show,
                                              std::wstring_view) {
    if (startFails) return nullptr;
    started.push_back(Str(commandLine));
    std::function<void()> run;
    if (onRun) run = [this, line = Str(commandLine)] { onRun(line); };
    return std::make_unique<FakeProcess>(uint32_t(100 + started.size()), passes, std::move(run));
}

std::wstring FakeProcesses::Environ(std::wstring_view name) {
    auto it = environment.find(Str(name));
    return it == environment.end() ? std::wstring() : it->second;
}

void FakeProcesses::SetEnviron(std::wstring_view name, std::wstring_view value) {
    environment[Str(name)] = Str(value);
}

void FakeEventLoop::DoEvents() {
    ++pumps;
    if (onDoEvents) onDoEvents();
}

std::unique_ptr<Timer> FakeEventLoop::StartTimer(int ms, std::function<void()> onTick) {
    const int id = nextTimer_++;
    timers_[id] = {ms, std::move(onTick)};
    return std::make_unique<FakeTimer>(timers_, id);
}

void FakeEventLoop::Tick() {
    std::vector<std::function<void()>> due;
    for (auto& [id, timer] : timers_) due.push_back(timer.second);
    for (auto& tick : due) tick();
}

std::vector<int> FakeEventLoop::TimerIntervals() const {
    std::vector<int> intervals;
    for (auto& [id, timer] : timers_) intervals.push_back(timer.first);
    return intervals;
}

}  // namespace velmora::test
