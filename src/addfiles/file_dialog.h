// The multi-select file dialog as the add-files flow uses it: remembers the
// last chosen file and folder and turns the dialog's answer into full paths.
#pragma once

#include <string>
#include <vector>

#include "runtime/dialogs.h"

namespace velmora {

// The filter argument that stands for "all files".
inline constexpr wchar_t kDefaultFilterMarker[] = L"DLG_Defalt_Filter";

// The user's place, kept from one dialog to the next for the life of the
// process; never saved.
struct FileDialogMemory {
    std::wstring DLG_LastFile;  // the last chosen file, a full path
    std::wstring DLG_LastDir;   // its folder; after a multi-select choice it ends in "\"
};

// Rewrites the dialog's selection (folder NUL name NUL name ..., or one full
// path) in place into full paths joined by NUL and returns the folder with a
// trailing "\". Names typed as full paths stay as they are.
std::wstring ExpandMultiSelection(std::wstring& selection);

// Shows the dialog and returns the chosen full paths, none when nothing was
// chosen. After a multi-select dialog without a choice both remembered texts
// are empty; a cancelled single-file or save dialog leaves them as they were.
std::vector<std::wstring> ShowFileDialog(Dialogs& dialogs, FileDialogMemory& memory,
                                         FileDialogMode mode, std::wstring_view filter,
                                         std::wstring_view title,
                                         std::wstring_view defaultExtension);

}  // namespace velmora
