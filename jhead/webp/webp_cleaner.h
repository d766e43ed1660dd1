// WebP: plans the cleaned file (see container/edit_plan.h).
#pragma once

#include "container/edit_plan.h"

namespace jhead {

// Reads the whole structure and fills plan; a refusal leaves the file as it is.
Refusal PlanWebp(Source& src, EditPlan* plan);

}  // namespace jhead
