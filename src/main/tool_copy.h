// The copy of jhead.exe in the temporary folder that the script runs: made
// sure, before every run, to be the tool beside the program, byte for byte.
#pragma once

#include <memory>
#include <string>

namespace velmora {

class HeldFile;
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
// With `hold`, the copy is then held open (nobody can replace it while the
// run starts it again and again) and checked once more while held; a copy
// that cannot be held, or changed in between, is made again, once.
ToolCopy MakeToolCopy(Services& services, const std::wstring& temp,
                      std::unique_ptr<HeldFile>* hold = nullptr);

}  // namespace velmora
