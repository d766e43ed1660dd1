#include "main/main_window.h"

#include <utility>

#include "addfiles/run_progress.h"
#include "main/get_arguments.h"
#include "main/main_texts.h"
#include "main/removal_run.h"
#include "main/results_view.h"
#include "main/temp_files.h"
#include "main/tool_copy.h"
#include "runtime/controls.h"
#include "shellmenu/joined_start.h"

namespace velmora {

MainWindow::MainWindow(Services services, MainControls controls,
                       ProgressBar::ViewFactory progressWindows)
    : s_(services),
      c_(controls),
      contextMenu_(s_.registry, s_.dialogs, s_.files, c_.contextMenuBox,
                   {s_.processes.AppPath(), s_.processes.AppExeName()}),
      progress_(s_.events, std::move(progressWindows)),
      addFiles_(s_, progress_) {}

bool MainWindow::OnLoad() {
    MakeFormFlat(c_.all);
    std::vector<std::wstring> paths = GetArguments(s_.processes.CommandLine());
    // Against the folder this program was started in, before anything else
    // sees them: the script runs elsewhere, and a start that hands its
    // paths over may have been started in another folder.
    for (std::wstring& path : paths) path = s_.files.FullPath(path);
    if (!paths.empty()) {
        c_.form.Hide();
        RunCommandLineStart(paths);
        c_.form.Close();
        return true;
    }
    contextMenu_.ShowInstalledState();
    // The tool's copy is made sure of at start-up too, unless a run (of
    // another copy of the program) is using it; every run checks it again.
    const std::wstring t = TempFolder(s_.processes, s_.files);
    if (!t.empty() && !LinkedTempFile(s_.files, t) && s_.runLock.TryAcquire()) {
        MakeToolCopy(s_, t);
        s_.runLock.Release();
    }
    return false;
}

void MainWindow::RunCommandLineStart(const std::vector<std::wstring>& paths) {
    JoinedStart joined(s_.starts, s_.events);
    std::optional<std::vector<std::wstring>> batch = joined.Begin(paths);
    // Another start's run took the paths.
    if (!batch) return;
    // Every batch of the session adds its lines to the first one's.
    for (bool first = true; !batch->empty(); batch = joined.Next(), first = false) {
        // Entries are queued as they are, duplicates and empty ones
        // included: each is a picture a caller asked for.
        c_.queue.Clear();
        for (const std::wstring& path : *batch) c_.queue.AddItem(path);
        Remove(!first);
    }
}

// A run going on stops with the program: nothing it started goes on
// changing pictures with nobody told.
void MainWindow::OnUnload() {
    s_.processes.EndTied();
    s_.events.EndProgram();
}

void MainWindow::OnRemoveClicked() { Remove(false); }

void MainWindow::Remove(bool continueResults) {
    // One run at a time in this window, whatever message arrives during
    // one (a click on the disabled button sent by another program): a
    // second would rewrite the script and the records under the first.
    if (running_) return;
    running_ = true;
    RemovalRunOptions options{c_.sameNameBox.Value() != 0, continueResults};
    const std::wstring t = TempFolder(s_.processes, s_.files);
    // After a second the run shows its progress, and Cancel stops it.
    RunProgress progress(s_, progress_, TempPath(t, kOutcomeFileName));
    options.onWait = [&](const auto& pictures) { return progress.OnWait(pictures); };
    options.onWaitForTurn = [&] { return progress.OnWaitForTurn(); };
    options.beforeMessage = [&] { progress.Finish(); };
    const RemovalRunResult result = RunRemoval(s_, c_.queue, c_.removeButton, options);
    running_ = false;
    if (!result.ran) return;
    lastResultsRecorded_ = result.resultsRecorded;
    lastResults_ = ResultsFingerprint(s_);
}

void MainWindow::OnClearClicked() { c_.queue.Clear(); }

void MainWindow::OnViewResultsClicked() {
    // The file holds an earlier run's lines, which must not pass for these.
    if (!lastResultsRecorded_) {
        s_.dialogs.MsgBox({MainMessage(MainText::ResultsNotRecorded), MsgIcon::Warning});
        return;
    }
    // Another run (a command-line start) may have written the file since.
    if (lastResults_ && ResultsFingerprint(s_) != lastResults_) {
        s_.dialogs.MsgBox({MainMessage(MainText::ResultsOfAnotherRun), MsgIcon::Warning});
        return;
    }
    ShowResults(s_);
}

void MainWindow::OnAddFilesClicked() { addFiles_.AddFilesToList(c_.queue); }

void MainWindow::OnAboutClicked() {
    if (openAboutBox) openAboutBox();
}

void MainWindow::OnContextMenuBoxClicked() { contextMenu_.OnClicked(); }

void MainWindow::OnQueueClicked() { ShowSelectedPathAsTip(c_.queue); }

void MainWindow::OnQueueKeyDown(Key key) {
    if (key == Key::Delete) DeleteSelectedRow(c_.queue);
}

void MainWindow::OnQueueMouseDown(int buttons) { drag_.Press(c_.queue, buttons); }

void MainWindow::OnQueueMouseMove(int buttons) { drag_.Move(c_.queue, buttons); }

void MainWindow::OnFilesDropped(const std::vector<std::wstring>& files) {
    // A dropped folder stands for the pictures in it and its subfolders.
    AddDroppedFiles(c_.queue, addFiles_.ExpandDroppedFolders(files), s_.files);
}

}  // namespace velmora
