#include "addfiles/add_it.h"

#include <unordered_set>
#include <vector>

#include "addfiles/text_case.h"
#include "main/get_arguments.h"
#include "runtime/controls.h"

namespace velmora {

namespace {

// Tells whether separator + entry + separator occurs in the probe
// separator + batch + separator, ignoring case. For an entry that holds no
// separator this is the same as the entry equalling one of the batch's
// pieces, which a hash set answers without a scan of the whole probe per
// entry (a list of thousands of entries would otherwise take minutes).
class DuplicateProbe {
public:
    DuplicateProbe(std::wstring_view batch, std::wstring_view separator)
        : separator_(separator),
          probe_(
              LowerText(std::wstring(separator) + std::wstring(batch) + std::wstring(separator))) {
        for (std::wstring& piece : SplitText(LowerText(batch), separator_)) {
            pieces_.insert(std::move(piece));
        }
    }

    bool Contains(std::wstring_view entry) const {
        std::wstring lowered = LowerText(entry);
        if (!separator_.empty() && lowered.find(separator_) == std::wstring::npos) {
            return pieces_.count(lowered) != 0;
        }
        return probe_.find(separator_ + lowered + separator_) != std::wstring::npos;
    }

private:
    std::wstring separator_;
    std::wstring probe_;
    std::unordered_set<std::wstring> pieces_;
};

}  // namespace

void AddIt(std::wstring batch, ListControl& list, bool removeDuplicates,
           std::wstring_view separator, int selectIndex) {
    if (batch.empty()) return;
    if (removeDuplicates) {
        const DuplicateProbe probe(batch, separator);
        const int count = list.ListCount();
        for (int row = 0; row < count; ++row) {
            std::wstring entry = list.List(row);
            if (!probe.Contains(entry)) {
                batch += separator;
                batch += entry;
            }
        }
    }
    list.SetRedraw(false);
    list.Clear();
    for (const std::wstring& piece : SplitText(batch, separator)) list.AddItem(piece);
    list.SetRedraw(true);
    if (list.ListCount() > 0 && selectIndex >= 0) list.SetListIndex(selectIndex);
}

}  // namespace velmora
