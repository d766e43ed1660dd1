// Editing the queue directly on the list: the selected path as tooltip,
// the Delete key, reordering by dragging, and files dropped from the shell.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class FileSystem;
class ListControl;

// Mouse buttons as a mask: the drag acts on the left button alone.
enum MouseButtons : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// The tooltip shows the full path of the selected row.
void ShowSelectedPathAsTip(ListControl& queue);

// Removes the selected row, if any, and selects the row that followed it,
// or the new last row.
void DeleteSelectedRow(ListControl& queue);

// The dragged row travels with the pointer: while the left button is held
// the list moves its selection under the pointer, and the dragged entry
// swaps places with the row it arrives at.
class RowDrag {
public:
    void Press(const ListControl& queue, int buttons);
    void Move(ListControl& queue, int buttons);

private:
    int dragIndex_ = 0;
};

// Puts dropped files on top of the queue (earlier equal entries go) and
// selects row 0.
void AddDroppedFiles(ListControl& queue, const std::vector<std::wstring>& files,
                     FileSystem& fileSystem);

}  // namespace velmora
