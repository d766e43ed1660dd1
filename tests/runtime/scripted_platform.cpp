#include "scripted_platform.h"

namespace velmora::test {

namespace {

class ScriptedProcess : public Process {
public:
    ScriptedProcess(ScriptedPlatform& owner, uint32_t id, std::wstring commandLine)
        : owner_(owner),
          id_(id),
          commandLine_(std::move(commandLine)),
          passesLeft_(owner.processPasses) {}

    uint32_t Id() const override { return id_; }
    bool WaitForExit(int ms) override {
        if (!ran_) {
            ran_ = true;
            if (owner_.onProcessRun) owner_.onProcessRun(commandLine_);
        }
        owner_.sleptMs += ms;
        return --passesLeft_ <= 0;
    }

private:
    ScriptedPlatform& owner_;
    uint32_t id_;
    std::wstring commandLine_;
    int passesLeft_;
    bool ran_ = false;
};

}  // namespace

template <typename T>
T Pop(std::deque<T>& answers, T fallback) {
    if (answers.empty()) return fallback;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

int ScriptedPlatform::MsgBox(std::wstring_view text, int style, std::wstring_view title) {
    log.push_back(L"MsgBox " + std::to_wstring(style) + L" " + std::wstring(title) + L"|" +
                  std::wstring(text));
    return Pop(msgBoxAnswers, int(kIdOk));
}

std::wstring ScriptedPlatform::InputBox(std::wstring_view prompt, std::wstring_view defaultText,
                                        int xTwips, int yTwips) {
    log.push_back(L"InputBox " + std::to_wstring(xTwips) + L"," + std::to_wstring(yTwips) + L" " +
                  std::wstring(prompt) + L"|" + std::wstring(defaultText));
    return Pop(inputAnswers, std::wstring());
}

void ScriptedPlatform::DoEvents() {
    log.push_back(L"DoEvents");
    ++doEventsCount;
    if (onDoEvents) onDoEvents();
}

void ScriptedPlatform::Sleep(int ms) {
    log.push_back(L"Sleep " + std::to_wstring(ms));
    sleptMs += ms;
}

void ScriptedPlatform::EndProgram() {
    log.push_back(L"EndProgram");
    ended = true;
}

std::unique_ptr<Process> ScriptedPlatform::StartProcess(std::wstring_view commandLine, int show) {
    log.push_back(L"Start " + std::to_wstring(show) + L" " + std::wstring(commandLine));
    if (startFails) return nullptr;
    return std::make_unique<ScriptedProcess>(*this, nextPid_++, std::wstring(commandLine));
}

std::wstring ScriptedPlatform::Environ(std::wstring_view name) {
    log.push_back(L"Environ " + std::wstring(name));
    auto it = environment.find(std::wstring(name));
    return it == environment.end() ? std::wstring() : it->second;
}

void ScriptedPlatform::SetEnviron(std::wstring_view name, std::wstring_view value) {
    log.push_back(L"SetEnviron " + std::wstring(name) + L"=" + std::wstring(value));
    environment[std::wstring(name)] = value;
}

std::optional<uint32_t> ScriptedPlatform::FileAttributes(std::wstring_view path) {
    log.push_back(L"FileAttributes " + std::wstring(path));
    auto it = files.find(std::wstring(path));
    if (it == files.end()) return std::nullopt;
    return it->second.attributes;
}

std::optional<int64_t> ScriptedPlatform::FileSize(std::wstring_view path) {
    log.push_back(L"FileSize " + std::wstring(path));
    auto it = files.find(std::wstring(path));
    if (it == files.end()) return std::nullopt;
    return it->second.size;
}

bool ScriptedPlatform::CopyFileTo(std::wstring_view from, std::wstring_view to) {
    log.push_back(L"Copy " + std::wstring(from) + L" > " + std::wstring(to));
    auto src = files.find(std::wstring(from));
    if (src == files.end()) return false;
    files[std::wstring(to)] = src->second;
    return true;
}

bool ScriptedPlatform::MoveReplace(std::wstring_view from, std::wstring_view to) {
    log.push_back(L"MoveReplace " + std::wstring(from) + L" > " + std::wstring(to));
    auto src = files.find(std::wstring(from));
    if (src == files.end() || src->second.locked) return false;
    auto dst = files.find(std::wstring(to));
    if (dst != files.end() && (dst->second.locked || (dst->second.attributes & kAttrReadOnly))) {
        return false;
    }
    FakeFile moved = src->second;
    files.erase(src);
    files[std::wstring(to)] = moved;
    return true;
}

bool ScriptedPlatform::SaveSimpleFile(std::wstring_view path, std::wstring_view text, bool append) {
    log.push_back(L"Save " + std::wstring(path) + (append ? L" append" : L" replace"));
    FakeFile& file = files[std::wstring(path)];
    if (file.locked) return false;
    file.text = append ? file.text + std::wstring(text) : std::wstring(text);
    file.size = int64_t(file.text.size());
    return true;
}

int ScriptedPlatform::SetTimer(int ms, std::function<void()> onTick) {
    log.push_back(L"SetTimer " + std::to_wstring(ms));
    timers_[nextTimer_] = std::move(onTick);
    return nextTimer_++;
}

void ScriptedPlatform::KillTimer(int id) {
    log.push_back(L"KillTimer");
    timers_.erase(id);
}

void ScriptedPlatform::FireTimer(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) it->second();
}

void ScriptedPlatform::SetBusyPointer(bool busy) {
    log.push_back(busy ? L"Pointer busy" : L"Pointer default");
    busyPointer = busy;
}

std::vector<std::wstring> ScriptedPlatform::Calls(std::wstring_view prefix) const {
    std::vector<std::wstring> out;
    for (const std::wstring& line : log) {
        if (line.rfind(prefix, 0) == 0) out.push_back(line);
    }
    return out;
}

}  // namespace velmora::test
