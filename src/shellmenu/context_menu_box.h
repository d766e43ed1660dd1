// The check box "关联jpg文件右键菜单": installs or removes this program's
// verb for .jpg and .jpeg pictures, and shows whether it is installed.
#pragma once

#include "shellmenu/reg.h"
#include "shellmenu/verb.h"

namespace velmora {

class CheckControl;
class Dialogs;

// This program's verb for .jpg and .jpeg pictures, installed or removed as
// the box does it (the uninstaller's helper uses the same two).
void InstallProgramVerb(Reg& reg, const ExeLocation& exe);
void RemoveProgramVerb(Reg& reg, const ExeLocation& exe);
// Where this program's verb for .jpg and .jpeg is.
VerbPresence ProgramVerbPresence(Reg& reg, const ExeLocation& exe,
                                 VerbScope scope = VerbScope::Seen);

class ContextMenuBox {
public:
    ContextMenuBox(Registry& registry, Dialogs& dialogs, CheckControl& box, ExeLocation exe);

    // Start-up: ticks the box when this copy of the program is installed.
    // Like a click, the change installs it once more, which leaves the
    // registry as it was.
    void ShowInstalledState();
    // The box's click handler.
    void OnClicked();

private:
    // True when any key that carries the verb holds it: unticking removes
    // it from all of them.
    bool Installed();

    Reg reg_;
    Dialogs& dialogs_;
    CheckControl& box_;
    ExeLocation exe_;
    bool showingState_ = false;
};

}  // namespace velmora
