#include "addfiles/add_it.h"

#include <unordered_set>

#include "runtime/controls.h"
#include "runtime/file_system.h"

namespace velmora {

void AddIt(const std::vector<std::wstring>& entries, ListControl& list, bool removeDuplicates,
           int selectIndex, FileSystem& files) {
    if (entries.empty()) return;
    std::vector<std::wstring> rows;
    if (!removeDuplicates) rows = entries;
    if (removeDuplicates) {
        // A hash set of keys: a scan of the new entries per old row would
        // take minutes for lists of tens of thousands. A file named twice
        // in one batch (a dropped folder and a picture in it) gets one row.
        std::unordered_set<std::wstring> added;
        for (const std::wstring& entry : entries) {
            if (added.insert(files.CaseKey(entry)).second) rows.push_back(entry);
        }
        const int count = list.ListCount();
        for (int row = 0; row < count; ++row) {
            std::wstring old = list.List(row);
            if (!added.count(files.CaseKey(old))) rows.push_back(std::move(old));
        }
    }
    list.SetRedraw(false);
    list.Clear();
    for (const std::wstring& row : rows) list.AddItem(row);
    list.SetRedraw(true);
    if (list.ListCount() > 0 && selectIndex >= 0) list.SetListIndex(selectIndex);
}

}  // namespace velmora
