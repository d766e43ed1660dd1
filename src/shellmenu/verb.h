// The Explorer right-click verb of a file extension: install, remove, ask.
// A verb lives under the file type that ".ext" names (FT\shell\V, caption V,
// FT\shell\V\command the command line with "%1" for the file) and, so that
// Explorer shows it whatever program the user chose for the extension, under
// SystemFileAssociations\.ext as well. A foreign verb found under the same
// name is moved whole (every value and subkey) to FT\shell_Old\V and put
// back exactly on removal. A verb of this program's file name whose program
// is gone (a copy since moved or deleted) is this program's own, stale: it
// is replaced, removed, and never put back.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "shellmenu/reg.h"

namespace velmora {

// The command marker that stands for this program itself.
inline constexpr std::wstring_view kAppFullExeCmd = L"App.FullExeCMD";
// The icon text that leaves the file type's icon as it is.
inline constexpr std::wstring_view kUseOldIcon = L"UseOld";

// Where the running program is: its folder and its file name without the
// extension.
struct ExeLocation {
    std::wstring folder;
    std::wstring name;
};

struct VerbRequest {
    explicit VerbRequest(std::wstring verbName = {}) : name(std::move(verbName)) {}

    // Key name and caption; when empty it becomes "用&" + title + "打开".
    std::wstring name;
    std::wstring command{kAppFullExeCmd};
    std::wstring extraArgs;  // between the program and "%1"
    std::wstring icon{kUseOldIcon};
    bool makeDefault = false;
    // Whether the program a command starts no longer exists; unset, none
    // is taken for gone.
    std::function<bool(std::wstring_view path)> programGone;
};

// Turns the marker into this program's command line, adds "%1" when the
// command has none, and gives the title (the program's file name without
// folder and extension) and the verb name.
void BuildVerbCommand(const ExeLocation& exe, std::wstring& command, std::wstring& title,
                      std::wstring& verb, std::wstring_view extraArgs);

// Each of these handles every file type once, however many of the
// extensions name it. `request.name` receives the name used.
void InstallVerb(Reg& reg, const ExeLocation& exe, const std::vector<std::wstring>& extensions,
                 VerbRequest& request);
void UninstallVerb(Reg& reg, const ExeLocation& exe, const std::vector<std::wstring>& extensions,
                   VerbRequest& request);
enum class VerbPresence { None, Somewhere, Everywhere };
// Which registry the verb is looked for in: the classes as Explorer sees
// them (the user's over the machine's), or the machine's alone, which only
// an administrator may change.
enum class VerbScope { Seen, MachineWide };
// Whether the keys that carry the verb for these extensions (each file type
// and each SystemFileAssociations key) hold this program's command under it.
VerbPresence FindVerb(Reg& reg, const ExeLocation& exe, const std::vector<std::wstring>& extensions,
                      VerbRequest& request, VerbScope scope = VerbScope::Seen);
// True when any key that carries the verb for the extension holds this
// program's command under it.
bool IsVerbInstalled(Reg& reg, const ExeLocation& exe, const std::wstring& extension,
                     VerbRequest& request);
// The file type that ".ext" names; empty when there is none.
std::wstring FileTypeOf(Reg& reg, const std::wstring& extension);

}  // namespace velmora
