#include "main/file_list.h"

#include "addfiles/add_it.h"
#include "runtime/controls.h"

namespace velmora {

void ShowSelectedPathAsTip(ListControl& queue) {
    const int row = queue.ListIndex();
    queue.SetToolTipText(row >= 0 ? queue.List(row) : std::wstring());
}

void DeleteSelectedRow(ListControl& queue) {
    int row = queue.ListIndex();
    if (row < 0 || row >= queue.ListCount()) return;
    queue.RemoveItem(row);
    if (row == queue.ListCount()) --row;
    queue.SetListIndex(row);
}

void RowDrag::Press(const ListControl& queue, int buttons) {
    if (buttons == kLeftButton) dragIndex_ = queue.ListIndex();
}

void RowDrag::Move(ListControl& queue, int buttons) {
    if (buttons != kLeftButton) return;
    const int selected = queue.ListIndex();
    // No selection, or a row that a Delete during the drag took away.
    if (selected == dragIndex_ || selected < 0 || dragIndex_ < 0 ||
        dragIndex_ >= queue.ListCount()) {
        return;
    }
    std::wstring kept = queue.List(selected);
    queue.SetList(selected, queue.List(dragIndex_));
    queue.SetList(dragIndex_, kept);
    dragIndex_ = selected;
}

void AddDroppedFiles(ListControl& queue, const std::vector<std::wstring>& files,
                     FileSystem& fileSystem) {
    AddIt(files, queue, true, -1, fileSystem);
    if (queue.ListCount() > 0) queue.SetListIndex(0);
}

}  // namespace velmora
