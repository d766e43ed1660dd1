// The folder-tree scan: every file of a folder and of all its subfolders
// whose name matches the patterns.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velmora {

class FileSystem;
class PatternSet;

// Called after every entry with the folder being read; false stops the scan.
using ScanStep = std::function<bool(const std::wstring& folder)>;

// Appends to `out` the full paths of the matching files under `folder`. A
// folder's own files come, in the system's order, after everything found in
// its subfolders, and the subfolders' blocks stand in reverse order: a
// folder holding a.jpg, b.jpg and the subfolders S1, S2 gives S2's files,
// S1's files, a.jpg, b.jpg. Hidden and system entries count like all others;
// junctions and symbolic links to folders are not entered (a link to an
// ancestor would never end); other reparse points, such as cloud-synced
// folders, are. A name without "." is matched and listed with
// a trailing ".". A folder that cannot be read contributes nothing. Returns
// false when `step` stopped the scan.
bool ScanFolder(FileSystem& files, std::wstring folder, const PatternSet& patterns,
                const ScanStep& step, std::vector<std::wstring>& out);

}  // namespace velmora
