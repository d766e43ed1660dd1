// What happened to each picture of a run, from the tool's outcome records,
// and the run's final message built from it.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/tool_outcome.h"

namespace velmora {

struct RunTally {
    int total = 0;    // pictures queued
    int cleaned = 0;  // metadata removed
    int clean = 0;    // nothing to remove
    // Not cleaned, by why.
    std::array<int, kToolReasonCount> failed{};
    int noOutcome = 0;    // the tool reported nothing (crashed, ended, never ran)
    int leftOut = 0;      // names outside the code page, without a short form
    int unsafeNames = 0;  // names that would break the script's line
    int unreported = 0;   // outcomes whose line did not reach the results file
    int gps = 0;          // cleaned pictures that held a GPS position
    int gpsKept = 0;      // pictures not cleaned that still hold one
    // The results file could not be written at all.
    bool resultsUnwritable = false;
    bool cancelled = false;

    int NotCleaned() const { return total - cleaned - clean; }
};

// One record, or none, per picture the script names, in its order.
using Outcomes = std::vector<std::optional<OutcomeRecord>>;

// Gives each picture the first record not yet given that names it as the
// script does (`names`) or by its queued path (`pictures`: the tool works on
// a short name's long form); names are compared by `key`, as the file
// system compares them. A picture without a record has no outcome.
Outcomes MatchOutcomes(const std::vector<std::wstring>& names,
                       const std::vector<std::wstring>& pictures, std::string_view records,
                       const std::function<std::wstring(std::wstring_view)>& key);
RunTally TallyOutcomes(const Outcomes& outcomes);

// Lines that each read correctly alone: "搞定" first only when every picture
// was cleaned or held nothing to remove (a cancelled run says so instead);
// how many were cleaned and how many of those held a GPS position; how many
// held nothing to remove; how many were not cleaned, with how many of those
// still hold a position, then by why; whether results were lost.
std::wstring RunSummary(const RunTally& tally);

}  // namespace velmora
