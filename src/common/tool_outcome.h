// The tool's outcome records: what happened to each picture, one line per
// picture, written by jhead for the program that runs it (not for people)
// to the file that VELMORA_OUTCOME_FILE names, and read back by the removal
// run. Its Chinese report lines are for people and are never parsed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class ToolOutcome : uint8_t { Cleaned, NothingToRemove, Failed };

// Why a picture was not cleaned, in as few groups as a person needs.
enum class ToolReason : uint8_t {
    None,
    Missing,   // no such file or folder
    ReadOnly,  // the file or its disk is read-only
    InUse,     // another program holds it
    Denied,    // the user may not change it
    NotJpeg,   // empty, or not a JPEG picture
    Damaged,   // a JPEG whose structure is broken
    NotAFile,  // a folder or a device
    DiskFull,
    Other,
    // Not the tool's: the file it opened is not the queued picture.
    OtherFile,
};
inline constexpr int kToolReasonCount = int(ToolReason::OtherFile) + 1;

struct OutcomeRecord {
    ToolOutcome outcome = ToolOutcome::Failed;
    ToolReason reason = ToolReason::Other;
    // The picture's line reached the results file (or none was asked for).
    bool reported = false;
    // The picture held a GPS position.
    bool gps = false;
    // The tool left its output beside the picture as P + ".tmp" for the
    // program to move into place (jhead replaces the picture itself).
    bool output = false;
    std::string path;  // as the tool was given it, UTF-8
    // The long path of the file the tool actually opened, UTF-8; empty when
    // it opened none. A short name may lead to another file than the
    // queued one.
    std::string opened;
};

inline constexpr char kOutcomeFileVariable[] = "VELMORA_OUTCOME_FILE";

// One record as a line, ending in "\n": the fields apart by tabs, the
// opened path last (a path the program hands over holds no tab).
std::string FormatOutcomeRecord(const OutcomeRecord& record);
// Every well-formed record of `text`, in order; a cut-short last line or a
// malformed one is left out, so its picture counts as having no outcome.
std::vector<OutcomeRecord> ParseOutcomeRecords(std::string_view text);

// UTF-8 (unpaired surrogates carried as three bytes, as Windows names may
// hold them) and wide text (UTF-16 on Windows), both ways; invalid bytes
// give U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace velmora
