// The common file dialog and the screen's size, for the Win32 Dialogs.
#pragma once

#include "runtime/dialogs.h"

namespace velmora {

// Room for the chosen names: a batch tool's user picks hundreds of files.
inline constexpr size_t kFileDialogBufferChars = 65536;

// Runs the Unicode open or save dialog modally over the foreground window.
FileDialogAnswer ShowCommonFileDialog(const FileDialogRequest& request);
TwipsPoint ScreenSizeTwips();

}  // namespace velmora
