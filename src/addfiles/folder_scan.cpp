#include "addfiles/folder_scan.h"

#include "common/wildcard.h"
#include "runtime/file_system.h"

namespace velmora {

namespace {

// Reparse tags with this bit stand for another name: symbolic links and
// junctions. Others, such as a cloud-synced folder's placeholder, hold
// their own entries.
constexpr uint32_t kNameSurrogateTag = 0x20000000;

bool IsLink(const FolderEntry& entry) { return (entry.reparseTag & kNameSurrogateTag) != 0; }

}  // namespace

bool ScanFolder(FileSystem& files, std::wstring folder, const PatternSet& patterns,
                const ScanStep& step, std::vector<std::wstring>& out) {
    if (folder.empty()) return true;
    if (folder.back() != L'\\') folder += L'\\';

    // Each folder is read to its end with its own listing before any
    // subfolder is entered.
    std::optional<std::vector<FolderEntry>> entries = files.ListFolder(folder);
    if (!entries) return true;

    std::vector<std::wstring> subfolders;
    std::vector<std::wstring> own;
    for (const FolderEntry& entry : *entries) {
        if (entry.directory) {
            if (!IsLink(entry)) subfolders.push_back(folder + entry.name + L"\\");
        } else {
            std::wstring name = entry.name;
            if (name.find(L'.') == std::wstring::npos) name += L'.';
            if (patterns.Matches(name)) own.push_back(folder + name);
        }
        if (!step(folder)) return false;
    }
    for (auto sub = subfolders.rbegin(); sub != subfolders.rend(); ++sub) {
        if (!ScanFolder(files, *sub, patterns, step, out)) return false;
    }
    out.insert(out.end(), std::make_move_iterator(own.begin()), std::make_move_iterator(own.end()));
    return true;
}

}  // namespace velmora
