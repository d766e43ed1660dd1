// The check box "关联jpg文件右键菜单": installs or removes this program's
// verb for every kind of picture it cleans, and shows whether it is
// installed.
#pragma once

#include "shellmenu/reg.h"
#include "shellmenu/verb.h"

namespace velmora {

class CheckControl;
class Dialogs;
class FileSystem;

// This program's verb for every picture extension it cleans, installed or
// removed as the box does it (the uninstaller's helper uses the same two);
// `files` tells whether a copy of the program that a verb names is gone.
void InstallProgramVerb(Reg& reg, FileSystem& files, const ExeLocation& exe);
void RemoveProgramVerb(Reg& reg, FileSystem& files, const ExeLocation& exe);
// Where this program's verb for those extensions is.
VerbPresence ProgramVerbPresence(Reg& reg, const ExeLocation& exe,
                                 VerbScope scope = VerbScope::Seen);

class ContextMenuBox {
public:
    ContextMenuBox(Registry& registry, Dialogs& dialogs, FileSystem& files, CheckControl& box,
                   ExeLocation exe);

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
    FileSystem& files_;
    CheckControl& box_;
    ExeLocation exe_;
    bool showingState_ = false;
};

}  // namespace velmora
