#include "main/removal_run.h"

#include <set>

#include "main/main_texts.h"
#include "main/removal_script.h"
#include "main/shell_wait.h"
#include "main/temp_files.h"
#include "runtime/controls.h"

namespace velmora {

namespace {

// An output at least this much smaller than its picture is not trusted to
// replace it.
constexpr int64_t kReplaceThreshold = 200000;

void ShowCritical(Dialogs& dialogs, std::wstring text) {
    dialogs.MsgBox({std::move(text), MsgIcon::Critical});
}

// The path as the script, written in the ANSI code page, can name it: as
// it is, or by its short (8.3) form, which is plain ASCII. Never a best-fit
// spelling, which could name another file.
std::optional<std::wstring> ScriptName(FileSystem& files, const std::wstring& path) {
    if (files.AnsiHolds(path)) return path;
    std::optional<std::wstring> shortPath = files.ShortPath(path);
    if (shortPath && files.AnsiHolds(*shortPath)) return shortPath;
    return std::nullopt;
}

// The text with every character the ANSI code page cannot hold shown as "?".
std::wstring AnsiReadable(FileSystem& files, std::wstring_view text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF;
        std::wstring_view c = text.substr(i, pair ? 2 : 1);
        out += files.AnsiHolds(c) ? std::wstring(c) : L"?";
        i += pair ? 1 : 0;
    }
    return out;
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

// Runs the script and reports what kept it from running; true when it ran.
bool RunScript(Services& s, const std::wstring& t, const Plan& plan, bool toolCopyFailed,
               const std::function<bool()>& onWait) {
    if (toolCopyFailed) {
        // Without any copy of the tool every picture would stay as it was.
        const bool toolThere = s.files.Stat(TempPath(t, kToolName)).has_value();
        ShowCritical(s.dialogs,
                     MainMessage(toolThere ? MainText::ToolNotCopied : MainText::ToolMissing, {t}));
        if (!toolThere) return false;
    }
    const std::wstring text = BuildRemovalScript(plan.scriptFolder, plan.names);
    if (!s.files.SaveSimpleFile(TempPath(t, kScriptName), text, false)) {
        ShowCritical(s.dialogs, MainMessage(MainText::ScriptNotWritten, {t}));
        return false;
    }
    s.processes.SetEnviron(kEventFileVariable, TempPath(t, kEventFileName));
    if (!StartScript(s, t, onWait)) {
        ShowCritical(s.dialogs, MainMessage(MainText::ScriptNotStarted, {t}));
        return false;
    }
    return true;
}

// Every picture the script could not name gets its own line in the results
// file, as the tool writes one for each picture it saw.
void ReportLeftOut(FileSystem& files, const std::wstring& t, const Plan& plan) {
    std::wstring lines;
    for (const std::wstring& picture : plan.leftOut) {
        lines += MainMessage(MainText::NameNotInCodePage, {AnsiReadable(files, picture)});
        lines += L"\r\n";
    }
    if (!lines.empty()) files.SaveSimpleFile(TempPath(t, kEventFileName), lines, true);
}

}  // namespace

void RunRemoval(Services s, ListControl& queue, ButtonControl& removeButton,
                RemovalRunOptions options) {
    const std::wstring t = TempFolder(s.processes);
    removeButton.SetEnabled(false);
    const Plan plan = MakePlan(s.files, t, queue);
    bool stopped = false;
    const std::function<bool()> onWait = [&] {
        stopped = stopped || (options.onWait && !options.onWait(plan.pictures));
        return !stopped;
    };
    if (RunScript(s, t, plan, options.toolCopyFailed, onWait)) {
        if (stopped) {
            // No picture is touched after a Cancel; the message says how far
            // the run got, counted before the left-out lines join the file.
            const std::wstring message =
                options.stoppedMessage ? options.stoppedMessage(plan.pictures) : std::wstring();
            ReportLeftOut(s.files, t, plan);
            s.dialogs.MsgBox(message);
            removeButton.SetEnabled(true);
            return;
        }
        ReportLeftOut(s.files, t, plan);
        if (options.replaceOutputs) {
            // The queue as it stands now: it may have changed during the wait.
            for (const std::wstring& picture : Rows(queue)) {
                if (plan.fresh.count(picture)) ReplaceWithOutput(s.files, picture);
            }
        }
        const size_t notCleaned = plan.leftOut.size();
        s.dialogs.MsgBox(
            notCleaned == 0 ? MainMessage(MainText::Done)
                            : MainMessage(MainText::SomeNotCleaned, {std::to_wstring(notCleaned)}));
    }
    removeButton.SetEnabled(true);
}

}  // namespace velmora
