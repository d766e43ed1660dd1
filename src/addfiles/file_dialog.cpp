#include "addfiles/file_dialog.h"

#include "addfiles/add_files_texts.h"
#include "addfiles/path_helpers.h"
#include "common/text.h"

namespace velmora {

namespace {

constexpr wchar_t kNul = L'\0';

std::wstring UpToLastSeparator(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring Trimmed(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return std::wstring(text.substr(first, text.find_last_not_of(L' ') - first + 1));
}

}  // namespace

std::wstring ExpandMultiSelection(std::wstring& selection) {
    while (!selection.empty() && selection.back() == kNul) selection.pop_back();

    const size_t firstNul = selection.find(kNul);
    if (firstNul == std::wstring::npos) return UpToLastSeparator(selection);

    std::wstring folder = selection.substr(0, firstNul);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';

    std::wstring expanded;
    const std::wstring_view sep(&kNul, 1);
    for (const std::wstring& name :
         SplitText(std::wstring_view(selection).substr(firstNul + 1), sep)) {
        if (!expanded.empty()) expanded += kNul;
        if (name.find(L'\\') == std::wstring::npos) expanded += folder;
        expanded += name;
    }
    selection = std::move(expanded);
    return folder;
}

std::vector<std::wstring> ShowFileDialog(Dialogs& dialogs, FileDialogMemory& memory,
                                         FileDialogMode mode, std::wstring_view filter,
                                         std::wstring_view title,
                                         std::wstring_view defaultExtension) {
    if (memory.DLG_LastDir.empty()) memory.DLG_LastDir = UpToLastSeparator(memory.DLG_LastFile);

    FileDialogRequest request;
    request.mode = mode;
    request.filter = filter == kDefaultFilterMarker ? AddFilesMessage(AddFilesText::AllFilesFilter)
                                                    : std::wstring(filter);
    request.title = title;
    request.defaultExtension = defaultExtension;
    request.initialFolder = memory.DLG_LastDir;
    request.initialFile = memory.DLG_LastFile;
    FileDialogAnswer answer = dialogs.ShowFileDialog(request);

    std::wstring selection = std::move(answer.selection);
    if (selection.find(L'\\') == std::wstring::npos) selection.clear();
    if (answer.tooManyFiles) {
        selection.clear();
        dialogs.MsgBox({AddFilesMessage(AddFilesText::TooManyFiles), MsgIcon::Critical});
    }

    if (mode != FileDialogMode::OpenMany) {
        // Without a choice there is nothing to report, and the place stays.
        if (selection.empty()) return {};
        const std::wstring path = Trimmed(selection.substr(0, selection.find(kNul)));
        memory.DLG_LastDir = GetParentDir(path);
        memory.DLG_LastFile = path;
        return {path};
    }

    memory.DLG_LastDir = ExpandMultiSelection(selection);
    const size_t lastNul = selection.rfind(kNul);
    memory.DLG_LastFile = lastNul == std::wstring::npos ? selection : selection.substr(lastNul + 1);
    if (selection.empty()) return {};
    return SplitText(selection, std::wstring_view(&kNul, 1));
}

}  // namespace velmora
