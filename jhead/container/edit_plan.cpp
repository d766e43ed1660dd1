#include "container/edit_plan.h"

#include <utility>

namespace jhead {

void EditPlan::Copy(uint64_t offset, uint64_t size) {
    if (size == 0) return;
    if (!pieces.empty() && pieces.back().bytes.empty() &&
        pieces.back().offset + pieces.back().size == offset) {
        pieces.back().size += size;
        return;
    }
    pieces.push_back({offset, size, {}});
}

void EditPlan::Insert(std::vector<uint8_t> bytes) {
    if (bytes.empty()) return;
    const uint64_t n = bytes.size();
    pieces.push_back({0, n, std::move(bytes)});
}

uint64_t EditPlan::OutputSize() const {
    uint64_t n = 0;
    for (const Piece& p : pieces) n += p.size;
    return n;
}

PlanWriteError WritePlan(Source& src, EditPlan* plan, Output* out) {
    constexpr size_t kChunk = 1 << 20;
    std::vector<uint8_t> buf;
    for (const Piece& p : plan->pieces) {
        if (!p.bytes.empty()) {
            if (!out->Write(p.bytes.data(), p.bytes.size())) return PlanWriteError::WriteFailed;
            continue;
        }
        if (buf.empty()) buf.resize(kChunk);
        for (uint64_t done = 0; done < p.size;) {
            const size_t n = p.size - done < kChunk ? (size_t)(p.size - done) : kChunk;
            if (!src.ReadAt(p.offset + done, buf.data(), n)) return PlanWriteError::ReadFailed;
            if (!out->Write(buf.data(), n)) return PlanWriteError::WriteFailed;
            done += n;
        }
    }
    plan->summary.size_after = plan->OutputSize();
    return PlanWriteError::None;
}

}  // namespace jhead
