#include "shellmenu/verb.h"

#include <algorithm>
#include <utility>

#include "common/text.h"

namespace velmora {

namespace {

constexpr wchar_t kMultiSelectModel[] = L"MultiSelectModel";
// Several selected files start the verb once each, up to 100 of them
// (without it Explorer hides the verb above 15).
constexpr wchar_t kPlayerModel[] = L"Player";

std::wstring Read(Reg& reg, const std::wstring& path) {
    uint32_t type = kRegSz;
    RegValue value = reg.GetRegValue(kRegClassesRoot, path, L"", type);
    auto* text = std::get_if<std::wstring>(&value);
    return text ? *text : std::wstring();
}

void Write(Reg& reg, const std::wstring& path, const std::wstring& text) {
    reg.SetRegValue(kRegClassesRoot, path, L"", text, kRegSz);
}

// The program's file name in a command line: the text after its last
// backslash (or slash), cut before a "?", then before its last ".".
std::wstring FileTitleOf(std::wstring_view command) {
    std::wstring_view name = command.substr(command.find_last_of(L"\\/") + 1);
    name = name.substr(0, name.find(L'?'));
    return std::wstring(name.substr(0, name.rfind(L'.')));
}

// A command line split into its quoted program path and what follows it;
// the path is empty when the command does not begin with a quoted one.
std::pair<std::wstring_view, std::wstring_view> SplitProgram(std::wstring_view command) {
    const size_t close =
        command.size() > 1 && command[0] == L'"' ? command.find(L'"', 1) : std::wstring_view::npos;
    if (close == std::wstring_view::npos) return {{}, command};
    return {command.substr(1, close - 1), command.substr(close + 1)};
}

// This program's own command: exactly the one it writes, its program path
// compared as file names are (letter case ignored). Anything else, even a
// command naming another program of the same file name, is foreign.
bool IsOurs(const std::wstring& command, const VerbRequest& r) {
    if (command == r.command) return true;
    const auto [path, rest] = SplitProgram(command);
    const auto [ourPath, ourRest] = SplitProgram(r.command);
    return !path.empty() && rest == ourRest && LowerText(path) == LowerText(ourPath);
}

// A command of a copy of this program that is gone: its quoted program has
// this program's file name, at a path where nothing is any more.
bool IsStale(const std::wstring& command, const VerbRequest& r) {
    const auto [path, rest] = SplitProgram(command);
    const auto [ourPath, ourRest] = SplitProgram(r.command);
    if (path.empty() || !r.programGone) return false;
    const std::wstring_view name = path.substr(path.find_last_of(L"\\/") + 1);
    const std::wstring_view ourName = ourPath.substr(ourPath.find_last_of(L"\\/") + 1);
    return LowerText(name) == LowerText(ourName) && r.programGone(path);
}

bool OursOrStale(const std::wstring& command, const VerbRequest& r) {
    return IsOurs(command, r) || IsStale(command, r);
}

bool SameFileType(const std::wstring& a, const std::wstring& b) {
    return LowerText(a) == LowerText(b);  // registry names ignore letter case
}

// The keys that carry the verb for these extensions: each extension's file
// type and its SystemFileAssociations key, every one once.
std::vector<std::wstring> VerbHomes(Reg& reg, const std::vector<std::wstring>& extensions) {
    std::vector<std::wstring> homes;
    auto add = [&](std::wstring home) {
        // No file type: nothing to read or write.
        if (home.empty()) return;
        auto same = [&](const std::wstring& h) { return SameFileType(h, home); };
        if (std::none_of(homes.begin(), homes.end(), same)) homes.push_back(std::move(home));
    };
    for (const std::wstring& ext : extensions) {
        add(FileTypeOf(reg, ext));
        add(L"SystemFileAssociations\\." + ext);
    }
    return homes;
}

// Another program's verb of the same name goes aside whole, so that none of
// its values (its menu text, icon, a handler that would run instead of the
// command) stays beside this program's command. False when it could not be
// kept whole: the verb is then left as it is.
bool MoveForeignVerbAside(Reg& reg, const std::wstring& type, const VerbRequest& r) {
    const std::wstring verbKey = type + L"\\shell\\" + r.name;
    if (!reg.RegKeyExists(kRegClassesRoot, verbKey)) return true;
    if (OursOrStale(Read(reg, verbKey + L"\\command"), r)) return true;
    const std::wstring saved = type + L"\\shell_Old\\" + r.name;
    reg.DeleteRegKeyTree(kRegClassesRoot, type + L"\\shell_Old", r.name);
    reg.CopyRegKeyTree(kRegClassesRoot, verbKey, saved);
    if (reg.RegLastStatus() != kRegOk) return false;
    reg.DeleteRegKeyTree(kRegClassesRoot, type + L"\\shell", r.name);
    return true;
}

void InstallUnder(Reg& reg, const std::wstring& type, const VerbRequest& r) {
    const std::wstring shell = type + L"\\shell", verbKey = shell + L"\\" + r.name;
    if (r.makeDefault) {
        const std::wstring old = Read(reg, shell);
        if (!old.empty()) Write(reg, type + L"\\shell_Old", old);
        Write(reg, shell, r.name);
    }
    if (!MoveForeignVerbAside(reg, type, r)) return;
    Write(reg, verbKey, r.name);
    reg.SetRegValue(kRegClassesRoot, verbKey, kMultiSelectModel, std::wstring(kPlayerModel),
                    kRegSz);
    Write(reg, verbKey + L"\\command", r.command);
    if (r.icon != kUseOldIcon) Write(reg, type + L"\\DefaultIcon", r.icon);
}

// The verb moved aside on install comes back exactly, unless it is this
// program's own (a stale one saved by an earlier version) or a machine-wide
// verb of that name shows again by itself now that the per-user one is
// gone (copying it to the user would shadow later changes).
void RestoreForeignVerb(Reg& reg, const std::wstring& type, const VerbRequest& r) {
    const std::wstring saved = type + L"\\shell_Old\\" + r.name,
                       verbKey = type + L"\\shell\\" + r.name;
    if (!reg.RegKeyExists(kRegClassesRoot, saved)) return;
    if (OursOrStale(Read(reg, saved + L"\\command"), r)) return;
    if (reg.RegKeyExists(kRegClassesRoot, verbKey)) return;
    reg.CopyRegKeyTree(kRegClassesRoot, saved, verbKey);
}

void UninstallUnder(Reg& reg, const std::wstring& type, const VerbRequest& r) {
    const std::wstring shell = type + L"\\shell", command = shell + L"\\" + r.name + L"\\command";
    // Absent, or another program's verb (one put back by an earlier
    // removal): nothing is deleted, and shell_Old stays as it is.
    const std::wstring current = Read(reg, command);
    if (current.empty() || !OursOrStale(current, r)) return;
    reg.DeleteRegKeyTree(kRegClassesRoot, shell, r.name);
    RestoreForeignVerb(reg, type, r);
    const std::wstring oldDefault = Read(reg, type + L"\\shell_Old");
    if (!oldDefault.empty()) Write(reg, shell, oldDefault);
    reg.DeleteRegKeyTree(kRegClassesRoot, type, L"shell_Old");
}

}  // namespace

std::wstring FileTypeOf(Reg& reg, const std::wstring& extension) {
    return Read(reg, L"." + extension);
}

void BuildVerbCommand(const ExeLocation& exe, std::wstring& command, std::wstring& title,
                      std::wstring& verb, std::wstring_view extraArgs) {
    if (command == kAppFullExeCmd) {
        // A drive root ("C:\") already ends in its separator.
        const bool root = !exe.folder.empty() && exe.folder.back() == L'\\';
        command = L"\"" + exe.folder + (root ? L"" : L"\\") + exe.name + L".exe\" " +
                  std::wstring(extraArgs) + L" \"%1\"";
    }
    if (command.find(L"%1") == std::wstring::npos) {
        command += L" " + std::wstring(extraArgs) + L" \"%1\"";
    }
    title = FileTitleOf(command);
    if (verb.empty()) verb = L"用&" + title + L"打开";
}

void InstallVerb(Reg& reg, const ExeLocation& exe, const std::vector<std::wstring>& extensions,
                 VerbRequest& request) {
    std::wstring title;
    BuildVerbCommand(exe, request.command, title, request.name, request.extraArgs);
    for (const std::wstring& type : VerbHomes(reg, extensions)) InstallUnder(reg, type, request);
}

void UninstallVerb(Reg& reg, const ExeLocation& exe, const std::vector<std::wstring>& extensions,
                   VerbRequest& request) {
    std::wstring title;
    BuildVerbCommand(exe, request.command, title, request.name, request.extraArgs);
    for (const std::wstring& type : VerbHomes(reg, extensions)) UninstallUnder(reg, type, request);
}

VerbPresence FindVerb(Reg& reg, const ExeLocation& exe, const std::vector<std::wstring>& extensions,
                      VerbRequest& request, VerbScope scope) {
    std::wstring title;
    BuildVerbCommand(exe, request.command, title, request.name, request.extraArgs);
    int holding = 0, homes = 0;
    for (const std::wstring& home : VerbHomes(reg, extensions)) {
        const std::wstring command = home + L"\\shell\\" + request.name + L"\\command";
        uint32_t type = kRegSz;
        const RegValue value =
            scope == VerbScope::Seen
                ? reg.GetRegValue(kRegClassesRoot, command, L"", type)
                : reg.GetRegValue(kRegLocalMachine, L"Software\\Classes\\" + command, L"", type);
        const auto* text = std::get_if<std::wstring>(&value);
        ++homes;
        if (text && IsOurs(*text, request)) ++holding;
    }
    if (holding == 0) return VerbPresence::None;
    return holding == homes ? VerbPresence::Everywhere : VerbPresence::Somewhere;
}

bool IsVerbInstalled(Reg& reg, const ExeLocation& exe, const std::wstring& extension,
                     VerbRequest& request) {
    return FindVerb(reg, exe, {extension}, request) != VerbPresence::None;
}

}  // namespace velmora
