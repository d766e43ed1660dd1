// The metadata remover proper, on abstract input and output: parse the
// headers up to the first scan, walk the picture data to its end, then copy
// what belongs to the picture. Never decodes or re-encodes anything.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/byte_io.h"
#include "jpeg/eoi_finder.h"
#include "metadata/exif_orientation.h"
#include "metadata/findings.h"
#include "jpeg/segment_kind.h"
#include "metadata/summary.h"

namespace jhead {

enum class ParseError : uint8_t {
    None,
    ReadFailed,
    NotJpeg,
    SegmentPastEnd,
    BadLength,
    UnexpectedMarker,
    NoFrame,
    NoScan,
    NoPicture,
    TooManySegments,
};

// A header segment from the start of its marker (fill bytes before the
// marker included) through the end of its payload, or a run of stray bytes
// between segments.
struct Segment {
    uint64_t offset = 0;
    uint64_t size = 0;
    uint8_t marker = 0;
    Kind kind = Kind::Picture;
    bool keep = true;
    std::vector<uint8_t> replacement;  // written instead of the segment when not empty
};

// Far more than any real picture holds (ICC uses at most 255 chunks); keeps
// the plan's memory bounded on hostile input.
constexpr size_t kMaxSegments = 100000;

struct Plan {
    std::vector<Segment> segments;  // SOI through the first SOS, in file order
    uint64_t scan_start = 0;        // first byte after the first SOS segment
    std::vector<Cut> cuts;          // metadata between the scans, in file order
    uint64_t picture_end = 0;       // after the EOI, or the end of the file
    Orientation orientation;        // from the first Exif block that holds one
    Findings found;                 // personal information in the header segments
    uint64_t removed[kKindCount] = {};
    bool truncated = false;  // no EOI: the picture data runs to the end of the file
    uint64_t size_after = 0;

    bool RemovesAnything() const;
};

// Reads SOI through the first scan header and decides each segment's fate.
ParseError ParseHeaders(Reader& r, uint64_t file_size, Plan* plan);

// Reads on to the end of the main picture, noting metadata between the scans
// and any trailer.
ParseError ScanToEnd(Reader& r, uint64_t file_size, Plan* plan);

enum class WriteError : uint8_t { None, ReadFailed, WriteFailed, Changed };

// Second pass from the start: kept segments and replacements, then the
// picture data without its cuts, through its EOI. Records the output size.
WriteError WriteCleaned(Reader& r, Plan* plan, Output* out);

// The report's view of a plan.
Summary SummaryOf(const Plan& plan);

// Parses and, when something is to be removed, writes: the whole job on
// in-memory data. *wrote tells whether out received a picture.
ParseError CleanInMemory(const uint8_t* data, size_t n, Plan* plan, Output* out, bool* wrote);

}  // namespace jhead
