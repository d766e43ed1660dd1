// A picture planned in memory by one container's planner, and written
// when not refused; a JPEG cleaned in memory.
#pragma once

#include <string>

#include "container/edit_plan.h"
#include "container/source.h"
#include "jpeg/cleaner.h"
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

struct Clean {
    explicit Clean(const Bytes& in)
        : error(jhead::CleanInMemory(in.data(), in.size(), &plan, &out, &wrote)) {}
    bool wrote = false;
    jhead::MemoryOutput out;
    jhead::Plan plan;
    jhead::ParseError error;  // last: the others are set up before it is worked out
};

}  // namespace jhead_test
