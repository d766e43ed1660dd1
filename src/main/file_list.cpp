#include "addfiles/add_it.h"
#include "main/form1.h"
#include "runtime/controls.h"

namespace velmora {

void Form1::Command3_Click() { c_.L.Clear(); }

void Form1::L_Click() {
    const int row = c_.L.ListIndex();
    c_.L.SetToolTipText(row >= 0 ? c_.L.List(row) : std::wstring());
}

// One press removes at most one entry and selects the one that followed it,
// or the new last entry.
void Form1::L_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode != kKeyDelete) return;
    int row = c_.L.ListIndex();
    if (row < 0 || row >= c_.L.ListCount()) return;
    c_.L.RemoveItem(row);
    if (row == c_.L.ListCount()) --row;
    c_.L.SetListIndex(row);
}

void Form1::L_MouseDown(int button, int /*shift*/, int /*x*/, int /*y*/) {
    if (button == kMouseLeft) dragIndex_ = c_.L.ListIndex();
}

// While the left button is held the list moves its selection under the
// pointer; the dragged entry swaps places with the row it arrives at.
void Form1::L_MouseMove(int button, int /*shift*/, int /*x*/, int /*y*/) {
    if (button != kMouseLeft) return;
    const int selected = c_.L.ListIndex();
    if (selected == dragIndex_ || selected < 0 || dragIndex_ < 0 ||
        dragIndex_ >= c_.L.ListCount()) {
        return;
    }
    std::wstring kept = c_.L.List(selected);
    c_.L.SetList(selected, c_.L.List(dragIndex_));
    c_.L.SetList(dragIndex_, kept);
    dragIndex_ = selected;
}

void Form1::L_OLEDragDrop(const std::vector<std::wstring>& files) {
    if (files.empty()) return;
    std::wstring batch;
    for (size_t i = 0; i < files.size(); ++i) {
        if (i) batch += L'\0';
        batch += files[i];
    }
    AddIt(batch, c_.L, true, std::wstring_view(L"\0", 1), -1);
    if (c_.L.ListCount() > 0) c_.L.SetListIndex(0);
}

}  // namespace velmora
