#include "shellmenu/context_menu_box.h"

#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "shellmenu/shellmenu_texts.h"

namespace velmora {

namespace {

const std::vector<std::wstring> kExtensions = {L"jpg", L"jpeg"};

VerbRequest OurVerb() { return VerbRequest(Text(ShellMenuText::Verb)); }

}  // namespace

void InstallProgramVerb(Reg& reg, const ExeLocation& exe) {
    VerbRequest r = OurVerb();
    InstallVerb(reg, exe, kExtensions, r);
}

void RemoveProgramVerb(Reg& reg, const ExeLocation& exe) {
    VerbRequest r = OurVerb();
    UninstallVerb(reg, exe, kExtensions, r);
}

ContextMenuBox::ContextMenuBox(Registry& registry, Dialogs& dialogs, CheckControl& box,
                               ExeLocation exe)
    : reg_(registry), dialogs_(dialogs), box_(box), exe_(std::move(exe)) {}

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
        InstallProgramVerb(reg_, exe_);
    } else {
        RemoveProgramVerb(reg_, exe_);
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
