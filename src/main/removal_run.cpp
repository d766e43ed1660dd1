#include "main/removal_run.h"

#include <set>

#include "common/tool_outcome.h"
#include "main/main_texts.h"
#include "main/removal_script.h"
#include "main/run_outcomes.h"
#include "main/script_names.h"
#include "main/shell_wait.h"
#include "main/temp_files.h"
#include "main/tool_copy.h"
#include "runtime/controls.h"

namespace velmora {

namespace {

constexpr int kPassMs = 100;

// An output at least this much smaller than its picture is not trusted to
// replace it.
constexpr int64_t kReplaceThreshold = 200000;

// What the run is to do, decided before the script starts.
struct Plan {
    std::wstring scriptFolder;           // the temporary folder as the script names it
    std::vector<std::wstring> names;     // the pictures as the script names them
    std::vector<std::wstring> leftOut;   // pictures the script cannot name
    std::vector<std::wstring> unsafe;    // pictures whose names would break its lines
    std::vector<std::wstring> pictures;  // the pictures the script names, in its order
    // Queued pictures whose "P.tmp" did not exist yet: only an output that
    // appears during the run may replace its picture. One lying there
    // before (an editor's backup, a download) is someone else's file.
    std::set<std::wstring> fresh;
};

Plan MakePlan(FileSystem& files, const std::wstring& t, const ListControl& queue) {
    Plan plan;
    plan.scriptFolder = ScriptName(files, t).value_or(t);
    for (const std::wstring& picture : Rows(queue)) {
        if (!ScriptCanHold(picture)) {
            plan.unsafe.push_back(picture);
            continue;
        }
        if (std::optional<std::wstring> name = ScriptName(files, picture)) {
            plan.names.push_back(*name);
            plan.pictures.push_back(picture);
        } else {
            plan.leftOut.push_back(picture);
        }
        if (!files.Stat(picture + L".tmp")) plan.fresh.insert(picture);
    }
    return plan;
}

// Moves the tool's output "P.tmp" into place of P; why not, when it did not.
ToolReason ReplaceWithOutput(FileSystem& files, const std::wstring& picture) {
    const std::wstring output = picture + L".tmp";
    std::optional<FileInfo> out = files.Stat(output);
    // The ordinary lookup does not see hidden or system files.
    if (!out || out->hidden || out->system || out->directory) return ToolReason::Missing;

    std::optional<FileInfo> in = files.Stat(picture);
    if (in && in->size - out->size >= kReplaceThreshold) return ToolReason::Other;
    // A read-only picture keeps both files, as a failed delete would.
    if (in && in->readOnly) return ToolReason::ReadOnly;
    if (in && in->directory) return ToolReason::NotAFile;

    // One step: the picture is never gone while its replacement is only
    // under the ".tmp" name. A locked picture makes this fail; both stay.
    return files.MoveReplace(output, picture) ? ToolReason::None : ToolReason::InUse;
}

void NotCleaned(OutcomeRecord& record, ToolReason why) {
    record.outcome = ToolOutcome::Failed;
    record.reason = why;
}

// A record counts for its picture only when the tool opened that very file
// (a short name may lead to another), and, when the tool left an output
// beside it, only once that output is in its place. An output is moved
// only when the tool's record says it wrote one, for a picture still
// queued whose "P.tmp" appeared during the run: any other "P.tmp" (an
// editor's, a sync tool's) is someone else's file and stays.
void SettleOutcomes(FileSystem& files, const Plan& plan, const std::vector<std::wstring>& queued,
                    bool replace, bool stopped, Outcomes& outcomes) {
    const std::set<std::wstring> stillQueued(queued.begin(), queued.end());
    for (size_t i = 0; i < outcomes.size(); ++i) {
        std::optional<OutcomeRecord>& r = outcomes[i];
        const std::wstring& picture = plan.pictures[i];
        if (!r || r->outcome == ToolOutcome::Failed) continue;
        // The usual case, the very name queued, needs no look at the disk.
        const std::wstring opened = WideFromUtf8(r->opened);
        if (opened != picture && !files.SameFile(picture, opened)) {
            // A picture gone since is missing, not another file.
            NotCleaned(*r, files.Stat(picture) ? ToolReason::OtherFile : ToolReason::Missing);
        } else if (r->output && replace) {
            const bool mine = !stopped && stillQueued.count(picture) && plan.fresh.count(picture);
            const ToolReason why = mine ? ReplaceWithOutput(files, picture) : ToolReason::Other;
            if (why != ToolReason::None) NotCleaned(*r, why);
        }
    }
}

// Holds the user's one run at a time while it lives.
class Turn {
public:
    explicit Turn(RunLock& lock) : lock_(lock) {}
    ~Turn() { Release(); }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

    // Waits while another run holds the turn; false when `onWait` gave up.
    bool Take(EventLoop& events, const std::function<bool()>& onWait) {
        while (!lock_.TryAcquire()) {
            events.DoEvents();
            if (onWait && !onWait()) return false;
            events.Sleep(kPassMs);
        }
        return held_ = true;
    }
    void Release() {
        if (held_) lock_.Release();
        held_ = false;
    }

private:
    RunLock& lock_;
    bool held_ = false;
};

// The script starts by its bare name in the temporary folder: a path on the
// interpreter's command line would have its "%NAME%" expanded, and could run
// another script. The interpreter cannot start in a network folder, so
// there the path it is given must hold no "%".
bool StartScript(Services& s, const std::wstring& t, const std::function<bool()>& onWait) {
    const bool network = t.rfind(L"\\\\", 0) == 0;
    if (network && t.find(L'%') != std::wstring::npos) return false;
    const std::wstring command = network ? L"\"" + TempPath(t, kScriptName) + L"\"" : kScriptName;
    return ShellWait(s.processes, s.events, command, Show::Hidden, network ? L"" : TempPath(t, L""),
                     onWait) != 0;
}

// Everything the script needs, in place before it starts; what is missing
// otherwise, and then no picture is touched.
std::optional<std::wstring> Prepare(Services& s, const std::wstring& t, const Plan& plan,
                                    bool continueResults, bool* resultsWritable,
                                    std::unique_ptr<HeldFile>* toolHold) {
    // A link among its files would have the run write or delete the file
    // it leads to.
    if (std::optional<std::wstring> link = LinkedTempFile(s.files, t)) {
        return MainMessage(MainText::TempFileIsLink, {TempPath(t, *link)});
    }
    const ToolCopy tool = MakeToolCopy(s, t, toolHold);
    if (tool == ToolCopy::NoTool) return MainMessage(MainText::NoTool, {s.processes.AppPath()});
    if (tool != ToolCopy::Ready) {
        return MainMessage(MainText::ToolNotReplaced, {TempPath(t, kToolName)});
    }
    // Records of an earlier run must not count for this one.
    const std::wstring outcomes = TempPath(t, kOutcomeFileName);
    if (!s.files.SaveSimpleFile(outcomes, L"", false)) {
        return MainMessage(MainText::OutcomesNotWritable, {t});
    }
    const std::wstring text = BuildRemovalScript(plan.scriptFolder, plan.names, !continueResults);
    if (!s.files.SaveSimpleFile(TempPath(t, kScriptName), text, false)) {
        return MainMessage(MainText::ScriptNotWritten, {t});
    }
    // Appending nothing tells whether the results file can be written. When
    // it cannot (another program holds it), the tool is not asked to, and
    // so does not wait on it for every picture.
    const std::wstring results = TempPath(t, kEventFileName);
    *resultsWritable = s.files.SaveSimpleFile(results, L"", true);
    s.processes.SetEnviron(kEventFileVariable, *resultsWritable ? results : L"");
    s.processes.SetEnviron(WideFromUtf8(kOutcomeFileVariable), outcomes);
    return std::nullopt;
}

// Every picture the script could not name gets its own line in the results
// file, as the tool writes one for each picture it saw.
void ReportLeftOut(FileSystem& files, const std::wstring& t, const Plan& plan) {
    std::wstring lines;
    for (const std::wstring& picture : plan.leftOut) {
        lines += MainMessage(MainText::NameNotInCodePage, {NameForResults(files, picture)});
        lines += L"\r\n";
    }
    for (const std::wstring& picture : plan.unsafe) {
        lines += MainMessage(MainText::NameUnsafe, {NameForResults(files, picture)}) + L"\r\n";
    }
    if (!lines.empty()) files.SaveSimpleFile(TempPath(t, kEventFileName), lines, true);
}

}  // namespace

RemovalRunResult RunRemoval(Services s, ListControl& queue, ButtonControl& removeButton,
                            RemovalRunOptions options) {
    RemovalRunResult result;
    const std::wstring t = TempFolder(s.processes, s.files);
    removeButton.SetEnabled(false);
    const Plan plan = MakePlan(s.files, t, queue);
    Turn turn(s.runLock);
    // Every message comes after the progress window has gone.
    const auto say = [&](const Message& message) {
        if (options.beforeMessage) options.beforeMessage();
        s.dialogs.MsgBox(message);
    };
    bool resultsWritable = false;
    bool stopped = false;
    // The checked tool copy, held so that nobody replaces it during the run.
    std::unique_ptr<HeldFile> toolHold;
    const std::function<bool()> onWait = [&] {
        stopped = stopped || (options.onWait && !options.onWait(plan.pictures));
        return !stopped;
    };
    if (t.empty()) {
        say({MainMessage(MainText::TempFolderInvalid, {s.processes.Environ(L"tmp")}),
             MsgIcon::Critical});
    } else if (!turn.Take(s.events, options.onWaitForTurn)) {
        say(MainMessage(MainText::CancelledWaiting));
    } else if (std::optional<std::wstring> missing =
                   Prepare(s, t, plan, options.continueResults, &resultsWritable, &toolHold)) {
        say({*missing, MsgIcon::Critical});
    } else if (!StartScript(s, t, onWait)) {
        say({MainMessage(MainText::ScriptNotStarted, {t}), MsgIcon::Critical});
    } else {
        result.ran = true;
        toolHold.reset();
        if (resultsWritable) ReportLeftOut(s.files, t, plan);
        const std::wstring records = TempPath(t, kOutcomeFileName);
        Outcomes outcomes =
            MatchOutcomes(plan.names, plan.pictures, s.files.ReadFile(records).value_or(""),
                          [&](std::wstring_view name) { return s.files.CaseKey(name); });
        s.files.Delete(records);
        // No picture is touched after a Cancel. The queue as it stands now:
        // it may have changed during the wait.
        SettleOutcomes(s.files, plan, Rows(queue), options.replaceOutputs, stopped, outcomes);
        RunTally tally = TallyOutcomes(outcomes);
        tally.total += int(plan.leftOut.size() + plan.unsafe.size());
        tally.leftOut = int(plan.leftOut.size());
        tally.unsafeNames = int(plan.unsafe.size());
        tally.cancelled = stopped;
        tally.resultsUnwritable = !resultsWritable;
        result.resultsRecorded = resultsWritable && tally.unreported == 0;
        // Another run may go ahead while this one's message waits.
        turn.Release();
        const bool allWell = tally.NotCleaned() == 0 && result.resultsRecorded && !stopped;
        say({RunSummary(tally), allWell ? MsgIcon::None : MsgIcon::Warning});
    }
    removeButton.SetEnabled(true);
    return result;
}

}  // namespace velmora
