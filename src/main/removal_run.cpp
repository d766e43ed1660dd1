#include "main/removal_run.h"

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

// Runs the script and reports what kept it from running; true when it ran.
bool RunScript(Services& s, const std::wstring& t, ListControl& queue, bool toolCopyFailed,
               const std::function<bool()>& onWait) {
    if (toolCopyFailed) {
        // Without any copy of the tool every picture would stay as it was.
        const bool toolThere = s.files.Stat(TempPath(t, kToolName)).has_value();
        ShowCritical(s.dialogs,
                     MainMessage(toolThere ? MainText::ToolNotCopied : MainText::ToolMissing, {t}));
        if (!toolThere) return false;
    }
    const std::wstring script = TempPath(t, kScriptName);
    if (!s.files.SaveSimpleFile(script, BuildRemovalScript(t, Rows(queue)), false)) {
        ShowCritical(s.dialogs, MainMessage(MainText::ScriptNotWritten, {t}));
        return false;
    }
    s.processes.SetEnviron(kEventFileVariable, TempPath(t, kEventFileName));
    if (ShellWait(s.processes, s.events, L"\"" + script + L"\"", Show::Hidden, {}, onWait) == 0) {
        ShowCritical(s.dialogs, MainMessage(MainText::ScriptNotStarted, {t}));
        return false;
    }
    return true;
}

}  // namespace

void RunRemoval(Services s, ListControl& queue, ButtonControl& removeButton,
                RemovalRunOptions options) {
    const std::wstring t = TempFolder(s.processes);
    removeButton.SetEnabled(false);
    bool stopped = false;
    const std::function<bool()> onWait = [&] {
        stopped = stopped || (options.onWait && !options.onWait());
        return !stopped;
    };
    if (RunScript(s, t, queue, options.toolCopyFailed, onWait)) {
        if (stopped) {
            s.dialogs.MsgBox(options.stoppedMessage ? options.stoppedMessage() : std::wstring());
        } else {
            if (options.replaceOutputs) {
                for (const std::wstring& picture : Rows(queue)) ReplaceWithOutput(s.files, picture);
            }
            s.dialogs.MsgBox(MainMessage(MainText::Done));
        }
    }
    removeButton.SetEnabled(true);
}

}  // namespace velmora
