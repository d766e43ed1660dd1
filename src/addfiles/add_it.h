// The one way entries enter the file list.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

class ListControl;

// Merges `batch` (entries joined by `separator`) into `list`: the list is
// rebuilt with the batch's entries first, in order, then, when
// `removeDuplicates` is set, the earlier entries that equal none of them
// (letter case ignored). An empty batch leaves the list untouched. Selects
// row `selectIndex` afterwards when it is 0 or more.
void AddIt(std::wstring batch, ListControl& list, bool removeDuplicates,
           std::wstring_view separator, int selectIndex);

}  // namespace velmora
