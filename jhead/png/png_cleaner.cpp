#include "png/png_cleaner.h"

namespace jhead {

Refusal PlanPng(Source&, EditPlan* plan) {
    plan->summary.kind = "Png";
    return {false, "暂不能处理此类图片"};
}

}  // namespace jhead
