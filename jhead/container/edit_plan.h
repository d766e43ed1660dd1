// What cleaning a container picture (PNG, WebP, HEIF/AVIF) comes to: the
// new file as a list of pieces, each a range of the original copied as it
// is or a few new bytes (a rewritten header, a box with new offsets), and
// the summary the report gives. The format readers build it; one writer
// streams it, so no format copies the whole file in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "container/source.h"
#include "platform/byte_io.h"
#include "metadata/summary.h"

namespace jhead {

struct Piece {
    uint64_t offset = 0;  // in the original, for a copied range
    uint64_t size = 0;
    std::vector<uint8_t> bytes;  // new bytes, written instead when not empty
};

struct EditPlan {
    std::vector<Piece> pieces;
    Summary summary;

    // Appends a copied range (joined to the previous one when adjacent).
    void Copy(uint64_t offset, uint64_t size);
    void Insert(std::vector<uint8_t> bytes);
    // Notes bytes removed under a name the report shows ("Exif", "XMP" ...).
    void Removed(const char* name, uint64_t size) { summary.AddRemoved(name, size); }
    bool RemovesAnything() const { return summary.RemovesAnything(); }
    uint64_t OutputSize() const;
};

// Why a container was refused; empty text means it was read whole.
struct Refusal {
    bool read_failed = false;  // the source failed, not the structure
    std::string text;          // plain words for the report line
    bool refused() const { return read_failed || !text.empty(); }
};

// The refusal of a structure that does not hold together: text, or the
// source's failure when that is why it did not.
inline Refusal Broken(const Source& src, const char* text) {
    return src.failed() ? Refusal{true, ""} : Refusal{false, text};
}

enum class PlanWriteError : uint8_t { None, ReadFailed, WriteFailed };

// Streams the plan's pieces into out; records the size in the summary.
PlanWriteError WritePlan(Source& src, EditPlan* plan, Output* out);

}  // namespace jhead
