#include "main/tool_copy.h"

#include "main/temp_files.h"
#include "runtime/services.h"

namespace velmora {

namespace {

// The copy made to equal `tool`, the bytes of `source`.
ToolCopy CopyTool(Services& s, const std::wstring& temp, const std::wstring& source,
                  const std::optional<std::string>& tool) {
    const std::wstring copy = TempPath(temp, kToolName);
    if (s.files.ReadFile(copy) == tool) return ToolCopy::Ready;

    const std::wstring staged = TempPath(temp, kStagedToolName);
    const bool made = s.files.Copy(source, staged) && s.files.ReadFile(staged) == tool &&
                      s.files.MoveReplace(staged, copy);
    if (made) return ToolCopy::Ready;
    s.files.Delete(staged);
    return ToolCopy::NotReplaced;
}

}  // namespace

ToolCopy MakeToolCopy(Services& s, const std::wstring& temp, std::unique_ptr<HeldFile>* hold) {
    std::wstring appPath = s.processes.AppPath();
    if (appPath.empty() || appPath.back() != L'\\') appPath += L'\\';
    const std::wstring source = appPath + kToolName;
    const std::wstring copy = TempPath(temp, kToolName);
    const std::optional<std::string> tool = s.files.ReadFile(source);
    if (!tool || tool->empty()) return ToolCopy::NoTool;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (CopyTool(s, temp, source, tool) != ToolCopy::Ready) return ToolCopy::NotReplaced;
        if (!hold) return ToolCopy::Ready;
        *hold = s.files.Hold(copy);
        if (*hold && s.files.ReadFile(copy) == tool) return ToolCopy::Ready;
        hold->reset();
    }
    return ToolCopy::NotReplaced;
}

}  // namespace velmora
