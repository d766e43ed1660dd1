// Reads the planned file back as a decoder would, before anything is
// written: its boxes and new meta box parse, the same items stay, no
// reference names a removed item, and every kept extent lands on exactly
// the original bytes it named.
#pragma once

#include "isobmff/layout.h"

namespace jhead {

bool SelfCheck(Source& src, const HeifJob& j, const EditPlan& plan);

}  // namespace jhead
