#include "shellmenu/context_menu_box.h"

#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "runtime/file_system.h"
#include "shellmenu/shellmenu_texts.h"

namespace velmora {

namespace {

// Every kind of picture the tool cleans.
const std::vector<std::wstring> kExtensions = {L"jpg",  L"jpeg", L"png", L"webp",
                                               L"heic", L"heif", L"avif"};

VerbRequest OurVerb(FileSystem* files = nullptr) {
    VerbRequest r(Text(ShellMenuText::Verb));
    if (files) {
        r.programGone = [files](std::wstring_view path) {
            const std::optional<FileInfo> info = files->Stat(path);
            return !info || info->directory;
        };
    }
    return r;
}

}  // namespace

void InstallProgramVerb(Reg& reg, FileSystem& files, const ExeLocation& exe) {
    VerbRequest r = OurVerb(&files);
    InstallVerb(reg, exe, kExtensions, r);
}

void RemoveProgramVerb(Reg& reg, FileSystem& files, const ExeLocation& exe) {
    VerbRequest r = OurVerb(&files);
    UninstallVerb(reg, exe, kExtensions, r);
}

ContextMenuBox::ContextMenuBox(Registry& registry, Dialogs& dialogs, FileSystem& files,
                               CheckControl& box, ExeLocation exe)
    : reg_(registry), dialogs_(dialogs), files_(files), box_(box), exe_(std::move(exe)) {}

VerbPresence ProgramVerbPresence(Reg& reg, const ExeLocation& exe, VerbScope scope) {
    VerbRequest r = OurVerb();
    return FindVerb(reg, exe, kExtensions, r, scope);
}

bool ContextMenuBox::Installed() { return ProgramVerbPresence(reg_, exe_) != VerbPresence::None; }

void ContextMenuBox::ShowInstalledState() { box_.SetValue(Installed() ? 1 : 0); }

void ContextMenuBox::OnClicked() {
    // Showing the state read back changes the box, which lands here again.
    if (showingState_) return;
    const bool install = box_.Value() != 0;
    if (install) {
        InstallProgramVerb(reg_, files_, exe_);
    } else {
        RemoveProgramVerb(reg_, files_, exe_);
    }

    showingState_ = true;
    box_.SetValue(Installed() ? 1 : 0);
    showingState_ = false;
    const VerbPresence wanted = install ? VerbPresence::Everywhere : VerbPresence::None;
    if (ProgramVerbPresence(reg_, exe_) == wanted) return;
    // The machine's classes show through once the user's are gone, and
    // only an administrator may change them.
    const bool forAllUsers =
        !install && ProgramVerbPresence(reg_, exe_, VerbScope::MachineWide) != VerbPresence::None;
    Message m;
    m.text =
        Text(forAllUsers ? ShellMenuText::InstalledForAllUsers : ShellMenuText::MenuNotChanged);
    m.icon = MsgIcon::Critical;
    dialogs_.MsgBox(m);
}

}  // namespace velmora
