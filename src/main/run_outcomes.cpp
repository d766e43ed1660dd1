#include "main/run_outcomes.h"

#include <deque>
#include <map>
#include <optional>

#include "main/main_texts.h"

namespace velmora {

Outcomes MatchOutcomes(const std::vector<std::wstring>& names,
                       const std::vector<std::wstring>& pictures, std::string_view text,
                       const std::function<std::wstring(std::wstring_view)>& key) {
    std::map<std::wstring, std::deque<OutcomeRecord>> byPath;
    for (OutcomeRecord& r : ParseOutcomeRecords(text)) {
        byPath[key(WideFromUtf8(r.path))].push_back(std::move(r));
    }
    const auto take = [&](const std::wstring& path) -> std::optional<OutcomeRecord> {
        auto it = byPath.find(key(path));
        if (it == byPath.end() || it->second.empty()) return std::nullopt;
        OutcomeRecord r = std::move(it->second.front());
        it->second.pop_front();
        return r;
    };
    Outcomes outcomes;
    for (size_t i = 0; i < names.size(); ++i) {
        std::optional<OutcomeRecord> r = take(names[i]);
        if (!r && i < pictures.size()) r = take(pictures[i]);
        outcomes.push_back(std::move(r));
    }
    return outcomes;
}

RunTally TallyOutcomes(const Outcomes& outcomes) {
    RunTally tally;
    tally.total = int(outcomes.size());
    for (const std::optional<OutcomeRecord>& r : outcomes) {
        if (!r) {
            ++tally.noOutcome;
            continue;
        }
        if (!r->reported) ++tally.unreported;
        if (r->outcome == ToolOutcome::Cleaned) {
            ++tally.cleaned;
            if (r->gps) ++tally.gps;
        } else if (r->outcome == ToolOutcome::NothingToRemove) {
            ++tally.clean;
        } else {
            ++tally.failed[size_t(r->reason)];
            if (r->gps) ++tally.gpsKept;
        }
    }
    return tally;
}

namespace {

std::wstring Count(int n) { return std::to_wstring(n); }

// The first lines: the run's verdict, then what was cleaned.
std::wstring CountLines(const RunTally& t) {
    std::vector<std::wstring> lines;
    if (t.cancelled) {
        lines.push_back(
            MainMessage(MainText::Cancelled,
                        {Count(t.cleaned + t.clean), Count(t.total - t.leftOut - t.unsafeNames)}));
    } else if (t.NotCleaned() == 0) {
        lines.push_back(MainMessage(MainText::Done));
    }
    if (t.gps > 0) {
        lines.push_back(MainMessage(MainText::CleanedWithGps, {Count(t.cleaned), Count(t.gps)}));
    } else if (t.cleaned > 0 || (t.NotCleaned() > 0 && !t.cancelled)) {
        lines.push_back(MainMessage(MainText::Cleaned, {Count(t.cleaned)}));
    }
    if (t.clean > 0) lines.push_back(MainMessage(MainText::NothingToRemove, {Count(t.clean)}));
    std::wstring text;
    for (const std::wstring& line : lines) text += (text.empty() ? L"" : L"\r\n") + line;
    return text;
}

}  // namespace

std::wstring RunSummary(const RunTally& t) {
    std::wstring text = CountLines(t);
    // After a Cancel, the pictures never reached are the "rest" its line
    // speaks of; the reasons list only those the tool refused.
    if (t.NotCleaned() > 0 && !t.cancelled) {
        text += L"\r\n" + (t.gpsKept > 0
                               ? MainMessage(MainText::SomeNotCleanedWithGps,
                                             {Count(t.NotCleaned()), Count(t.gpsKept)})
                               : MainMessage(MainText::SomeNotCleaned, {Count(t.NotCleaned())}));
    } else if (t.gpsKept > 0) {
        text += L"\r\n" + MainMessage(MainText::RefusedWithGps, {Count(t.gpsKept)});
    }
    for (int reason = 0; reason < kToolReasonCount; ++reason) {
        if (t.failed[size_t(reason)] == 0) continue;
        text += L"\r\n" + MainMessage(MainText(int(MainText::FailedMissing) + reason - 1),
                                      {Count(t.failed[size_t(reason)])});
    }
    if (t.leftOut > 0) text += L"\r\n" + MainMessage(MainText::LeftOut, {Count(t.leftOut)});
    if (t.unsafeNames > 0) {
        text += L"\r\n" + MainMessage(MainText::UnsafeNames, {Count(t.unsafeNames)});
    }
    if (t.noOutcome > 0 && !t.cancelled) {
        text += L"\r\n" + MainMessage(MainText::NoOutcome, {Count(t.noOutcome)});
    }
    if (t.resultsUnwritable) {
        text += L"\r\n" + MainMessage(MainText::ResultsUnwritable);
    } else if (t.unreported > 0) {
        text += L"\r\n" + MainMessage(MainText::SomeUnreported, {Count(t.unreported)});
    } else if (t.NotCleaned() > 0 && !t.cancelled) {
        text += L"\r\n" + MainMessage(MainText::SeeResults);
    }
    return text;
}

}  // namespace velmora
