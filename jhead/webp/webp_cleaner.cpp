#include "webp/webp_cleaner.h"

namespace jhead {

Refusal PlanWebp(Source&, EditPlan* plan) {
    plan->summary.kind = "Webp";
    return {false, "暂不能处理此类图片"};
}

}  // namespace jhead
