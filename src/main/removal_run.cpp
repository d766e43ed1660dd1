#include "main/removal_run.h"

#include <cwchar>
#include <set>

#include "common/tool_outcome.h"
#include "main/main_texts.h"
#include "main/removal_script.h"
#include "main/run_outcomes.h"
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

// The path as the script, written in the ANSI code page, can name it: as
// it is, or by its short (8.3) form, which is plain ASCII. Never a best-fit
// spelling, which could name another file.
std::optional<std::wstring> ScriptName(FileSystem& files, const std::wstring& path) {
    if (files.AnsiHolds(path)) return path;
    std::optional<std::wstring> shortPath = files.ShortPath(path);
    if (shortPath && files.AnsiHolds(*shortPath)) return shortPath;
    return std::nullopt;
}

// The name as the results file, in the ANSI code page, can show it: every
// character the page cannot hold as "?", followed by the code points that
// stand there, so that two such names never read the same
// ("C:\??.jpg [U+C0AC U+C9C4]").
std::wstring NameForResults(FileSystem& files, std::wstring_view text) {
    std::wstring out, lacking;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        std::wstring_view c = text.substr(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        if (files.AnsiHolds(c)) {
            out += c;
            continue;
        }
        out += L'?';
        const uint32_t code =
            pair ? 0x10000 + ((c[0] - 0xD800) << 10) + (c[1] - 0xDC00) : uint32_t(c[0]);
        wchar_t hex[16];
        swprintf(hex, 16, L"%sU+%04X", lacking.empty() ? L"" : L" ", unsigned(code));
        lacking += hex;
    }
    return lacking.empty() ? out : out + L" [" + lacking + L"]";
}

// What the run is to do, decided before the script starts.
struct Plan {
    std::wstring scriptFolder;           // the temporary folder as the script names it
    std::vector<std::wstring> names;     // the pictures as the script names them
    std::vector<std::wstring> leftOut;   // pictures the script cannot name
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

// Moves the tool's output "P.tmp", when there is one, into place of P.
void ReplaceWithOutput(FileSystem& files, const std::wstring& picture) {
    const std::wstring output = picture + L".tmp";
    std::optional<FileInfo> out = files.Stat(output);
    // The ordinary lookup does not see hidden or system files.
    if (!out || out->hidden || out->system || out->directory) return;

    std::optional<FileInfo> in = files.Stat(picture);
    if (in && in->size - out->size >= kReplaceThreshold) return;
    // A read-only picture keeps both files, as a failed delete would.
    if (in && (in->readOnly || in->directory)) return;

    // One step: the picture is never gone while its replacement is only
    // under the ".tmp" name. A locked picture makes this fail; both stay.
    files.MoveReplace(output, picture);
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
                                    bool continueResults, bool* resultsWritable) {
    const ToolCopy tool = MakeToolCopy(s, t);
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
    if (!lines.empty()) files.SaveSimpleFile(TempPath(t, kEventFileName), lines, true);
}

}  // namespace

RemovalRunResult RunRemoval(Services s, ListControl& queue, ButtonControl& removeButton,
                            RemovalRunOptions options) {
    RemovalRunResult result;
    const std::wstring t = TempFolder(s.processes);
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
    const std::function<bool()> onWait = [&] {
        stopped = stopped || (options.onWait && !options.onWait(plan.pictures));
        return !stopped;
    };
    if (!turn.Take(s.events, options.onWaitForTurn)) {
        say(MainMessage(MainText::CancelledWaiting));
    } else if (std::optional<std::wstring> missing =
                   Prepare(s, t, plan, options.continueResults, &resultsWritable)) {
        say({*missing, MsgIcon::Critical});
    } else if (!StartScript(s, t, onWait)) {
        say({MainMessage(MainText::ScriptNotStarted, {t}), MsgIcon::Critical});
    } else {
        result.ran = true;
        if (resultsWritable) ReportLeftOut(s.files, t, plan);
        // No picture is touched after a Cancel. The queue as it stands now:
        // it may have changed during the wait.
        if (options.replaceOutputs && !stopped) {
            for (const std::wstring& picture : Rows(queue)) {
                if (plan.fresh.count(picture)) ReplaceWithOutput(s.files, picture);
            }
        }
        const std::wstring outcomes = TempPath(t, kOutcomeFileName);
        RunTally tally =
            TallyOutcomes(plan.names, plan.pictures, s.files.ReadFile(outcomes).value_or(""),
                          [&](std::wstring_view name) { return s.files.CaseKey(name); });
        s.files.Delete(outcomes);
        tally.total += int(plan.leftOut.size());
        tally.leftOut = int(plan.leftOut.size());
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
