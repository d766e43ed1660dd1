// APP12 segments of two known layouts: Photoshop's "Ducky" records and the
// "[picture info]" text some older cameras write.
#pragma once

#include <cstddef>
#include <cstdint>

#include "metadata/findings.h"

namespace jhead {

// payload: the whole segment after its length field. False when it is of
// neither layout.
bool ScanApp12(const uint8_t* payload, size_t n, Findings* f);

}  // namespace jhead
