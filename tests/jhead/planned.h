// A picture planned in memory by one container's planner, and written
// when not refused.
#pragma once

#include <string>

#include "container/edit_plan.h"
#include "container/source.h"
#include "platform/byte_io.h"
#include "jpeg_samples.h"

namespace jhead_test {

struct Planned {
    Planned(jhead::Refusal (*plan_kind)(jhead::Source&, jhead::EditPlan*), const Bytes& in) {
        jhead::MemorySource src(in.data(), in.size());
        refusal = plan_kind(src, &plan);
        jhead::MemoryOutput o;
        if (!refusal.refused() && WritePlan(src, &plan, &o) == jhead::PlanWriteError::None) {
            out = o.bytes;
        }
    }
    // "Exif 58, XMP 12": the bytes removed by name.
    std::string Removed() const {
        std::string list;
        for (const auto& [name, n] : plan.summary.removed)
            list += (list.empty() ? "" : ", ") + name + " " + std::to_string(n);
        return list;
    }
    jhead::EditPlan plan;
    jhead::Refusal refusal;
    Bytes out;
};

}  // namespace jhead_test
