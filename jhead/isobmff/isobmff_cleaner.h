// HEIC, HEIF and AVIF: plans the cleaned file (see container/edit_plan.h).
#pragma once

#include "container/edit_plan.h"

namespace jhead {

// Reads the whole structure and fills plan; a refusal leaves the file as it is.
Refusal PlanHeif(Source& src, EditPlan* plan);

// Tests change a finished plan on purpose, before it is checked against
// the original, to show that the check refuses what it must.
using HeifPlanHook = void (*)(EditPlan* plan);
void SetHeifPlanHook(HeifPlanHook hook);

}  // namespace jhead
