// The copy of jhead.exe in the temporary folder that the script runs: made
// sure, before every run, to be the tool beside the program, byte for byte.
#pragma once

#include <string>

namespace velmora {

struct Services;

enum class ToolCopy {
    Ready,
    NoTool,       // none beside the program, or it cannot be read
    NotReplaced,  // the copy differs and cannot be replaced
};

// Leaves a copy that equals the program's own tool at `temp`\jhead.exe: one
// that differs (cut short by a full disk, an older version) is replaced by
// a whole copy made under another name, checked, and renamed into place in
// one step. A failed attempt leaves the old copy and nothing else.
ToolCopy MakeToolCopy(Services& services, const std::wstring& temp);

}  // namespace velmora
