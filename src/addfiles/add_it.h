// The way entries enter the queue from the interactive sources (the drop
// and the add-files flow); the command-line start appends its own.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class FileSystem;
class ListControl;

// Rebuilds `list` with `entries` first, in order, then, when
// `removeDuplicates` is set, the earlier rows that equal none of them as
// the file system compares names (letter case ignored); then an entry
// equal to an earlier one of `entries` is left out too. No entries leave
// the list untouched. Selects row `selectIndex` afterwards when it is 0 or
// more.
void AddIt(const std::vector<std::wstring>& entries, ListControl& list, bool removeDuplicates,
           int selectIndex, FileSystem& files);

}  // namespace velmora
