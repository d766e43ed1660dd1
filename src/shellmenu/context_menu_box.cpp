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

bool ContextMenuBox::Installed() {
    VerbRequest r = OurVerb();
    return IsVerbInstalled(reg_, exe_, kExtensions[0], r);
}

bool ContextMenuBox::StateIs(bool installed) {
    for (const std::wstring& ext : kExtensions) {
        VerbRequest r = OurVerb();
        if (FileTypeOf(reg_, ext).empty()) continue;  // nothing to carry the verb
        if (IsVerbInstalled(reg_, exe_, ext, r) != installed) return false;
    }
    return true;
}

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
    if (!StateIs(install)) {
        Message m;
        m.text = Text(ShellMenuText::MenuNotChanged);
        m.icon = MsgIcon::Critical;
        dialogs_.MsgBox(m);
    }
}

}  // namespace velmora
