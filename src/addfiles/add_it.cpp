#include "addfiles/add_it.h"

#include <unordered_map>

#include "runtime/controls.h"
#include "runtime/file_system.h"

namespace velmora {

void AddIt(const std::vector<std::wstring>& entries, ListControl& list, bool removeDuplicates,
           int selectIndex, FileSystem& files) {
    if (entries.empty()) return;
    std::vector<std::wstring> rows;
    if (!removeDuplicates) rows = entries;
    if (removeDuplicates) {
        // A hash map of keys: a scan of the new entries per old row would
        // take minutes for lists of tens of thousands. A file named twice
        // in one batch (a dropped folder and a picture in it) gets one row.
        // Names equal but for letter case are one row unless both are
        // there as two files: a case-sensitive folder (a network share,
        // WSL) can hold "A.jpg" and "a.jpg".
        std::unordered_map<std::wstring, std::vector<std::wstring>> added;
        const auto isAdded = [&](const std::wstring& name, bool add) {
            std::vector<std::wstring>& sameKey = added[files.CaseKey(name)];
            for (const std::wstring& row : sameKey) {
                const bool twoFiles = row != name && files.Stat(row) && files.Stat(name) &&
                                      !files.SameFile(row, name);
                if (!twoFiles) return true;
            }
            if (add) sameKey.push_back(name);
            return false;
        };
        for (const std::wstring& entry : entries) {
            if (!isAdded(entry, true)) rows.push_back(entry);
        }
        const int count = list.ListCount();
        for (int row = 0; row < count; ++row) {
            std::wstring old = list.List(row);
            if (!isAdded(old, false)) rows.push_back(std::move(old));
        }
    }
    list.SetRedraw(false);
    list.Clear();
    for (const std::wstring& row : rows) list.AddItem(row);
    list.SetRedraw(true);
    if (list.ListCount() > 0 && selectIndex >= 0) list.SetListIndex(selectIndex);
}

}  // namespace velmora
