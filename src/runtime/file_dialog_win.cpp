// The common file dialog of Win32Dialogs.
#include "runtime/dialogs_win.h"

#include <windows.h>

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

// Room for the chosen names: a batch tool's user picks hundreds of files.
constexpr size_t kFileDialogBufferChars = 65536;

DWORD FlagsFor(FileDialogMode mode) {
    switch (mode) {
        case FileDialogMode::OpenOne:
            return OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
        case FileDialogMode::OpenMany:
            return OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_LONGNAMES;
        case FileDialogMode::Save:
            return OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_LONGNAMES;
    }
    return 0;
}

// The buffer up to its closing double NUL, without it.
std::wstring SelectionIn(const std::vector<wchar_t>& buffer) {
    for (size_t i = 0; i + 1 < buffer.size(); ++i) {
        if (buffer[i] == L'\0' && buffer[i + 1] == L'\0') return std::wstring(buffer.data(), i);
    }
    return {};
}

}  // namespace

FileDialogAnswer Win32Dialogs::ShowFileDialog(const FileDialogRequest& request) {
    if (unattended_) return {};
    // "description|pattern|..." becomes NUL-separated parts ending in two NULs.
    std::wstring filter = request.filter;
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');

    std::vector<wchar_t> names(kFileDialogBufferChars, L'\0');
    std::copy_n(request.initialFile.begin(), std::min(request.initialFile.size(), names.size() - 2),
                names.begin());
    std::vector<wchar_t> title(MAX_PATH, L'\0');
    const std::wstring initialFolder = request.initialFolder;

    // The record without the fields Windows 2000 added, as every Windows
    // version accepts it.
    OPENFILENAME_NT4W ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetForegroundWindow();
    ofn.hInstance = GetModuleHandleW(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = names.data();
    ofn.nMaxFile = DWORD(names.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = DWORD(title.size());
    ofn.lpstrInitialDir = initialFolder.c_str();
    if (!request.title.empty()) ofn.lpstrTitle = request.title.c_str();
    if (!request.defaultExtension.empty()) ofn.lpstrDefExt = request.defaultExtension.c_str();
    // The program's current folder stays where it was: a picture folder
    // made current could not be deleted or renamed while the program runs.
    ofn.Flags = FlagsFor(request.mode) | OFN_NOCHANGEDIR;

    auto* record = reinterpret_cast<OPENFILENAMEW*>(&ofn);
    const BOOL chosen =
        request.mode == FileDialogMode::Save ? GetSaveFileNameW(record) : GetOpenFileNameW(record);
    FileDialogAnswer answer;
    if (chosen) {
        answer.selection = SelectionIn(names);
    } else {
        answer.tooManyFiles = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
    }
    return answer;
}

TwipsPoint Win32Dialogs::ScreenSize() {
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return {MulDiv(GetSystemMetrics(SM_CXSCREEN), 1440, dpiX),
            MulDiv(GetSystemMetrics(SM_CYSCREEN), 1440, dpiY)};
}

}  // namespace velmora
