#include "isobmff/isobmff_cleaner.h"

namespace jhead {

Refusal PlanHeif(Source&, EditPlan* plan) {
    plan->summary.kind = "Heif";
    return {false, "暂不能处理此类图片"};
}

}  // namespace jhead
