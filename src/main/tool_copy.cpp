#include "main/tool_copy.h"

#include "main/temp_files.h"
#include "runtime/services.h"

namespace velmora {

ToolCopy MakeToolCopy(Services& s, const std::wstring& temp) {
    std::wstring appPath = s.processes.AppPath();
    if (appPath.empty() || appPath.back() != L'\\') appPath += L'\\';
    const std::wstring source = appPath + kToolName;
    const std::wstring copy = TempPath(temp, kToolName);
    const std::optional<std::string> tool = s.files.ReadFile(source);
    if (!tool || tool->empty()) return ToolCopy::NoTool;
    if (s.files.ReadFile(copy) == tool) return ToolCopy::Ready;

    const std::wstring staged = TempPath(temp, kStagedToolName);
    const bool made = s.files.Copy(source, staged) && s.files.ReadFile(staged) == tool &&
                      s.files.MoveReplace(staged, copy);
    if (made) return ToolCopy::Ready;
    s.files.Delete(staged);
    return ToolCopy::NotReplaced;
}

}  // namespace velmora
