#include "main/main_window.h"

#include <utility>

#include "addfiles/run_progress.h"
#include "main/get_arguments.h"
#include "main/removal_run.h"
#include "main/results_view.h"
#include "main/temp_files.h"
#include "runtime/controls.h"
#include "shellmenu/joined_start.h"

namespace velmora {

namespace {

// Copies the tool from the program's folder into the temporary folder,
// overwriting an older copy; the removal run always runs that copy.
bool CopyToolToTemp(Services& s) {
    std::wstring appPath = s.processes.AppPath();
    if (appPath.empty() || appPath.back() != L'\\') appPath += L'\\';
    return s.files.Copy(appPath + kToolName, TempPath(TempFolder(s.processes), kToolName));
}

}  // namespace

MainWindow::MainWindow(Services services, MainControls controls,
                       ProgressBar::ViewFactory progressWindows)
    : s_(services),
      c_(controls),
      contextMenu_(s_.registry, s_.dialogs, c_.contextMenuBox,
                   {s_.processes.AppPath(), s_.processes.AppExeName()}),
      progress_(s_.events, std::move(progressWindows)),
      addFiles_(s_, progress_) {}

bool MainWindow::OnLoad() {
    MakeFormFlat(c_.all);
    const std::vector<std::wstring> paths = GetArguments(s_.processes.CommandLine());
    if (!paths.empty()) {
        c_.form.Hide();
        RunCommandLineStart(paths);
        c_.form.Close();
        return true;
    }
    contextMenu_.ShowInstalledState();
    toolCopyFailed_ = !CopyToolToTemp(s_);
    return false;
}

void MainWindow::RunCommandLineStart(const std::vector<std::wstring>& paths) {
    JoinedStart joined(s_.starts, s_.events);
    std::optional<std::vector<std::wstring>> batch = joined.Begin(paths);
    // Another start's run took the paths.
    if (!batch) return;
    // A command-line start keeps the copy an interactive start left, but the
    // folder may have been cleaned since: without a tool there every picture
    // would stay as it was.
    const std::wstring tool = TempPath(TempFolder(s_.processes), kToolName);
    if (!s_.files.Stat(tool)) toolCopyFailed_ = !CopyToolToTemp(s_);
    for (; !batch->empty(); batch = joined.Next()) {
        // Entries are queued as they are, duplicates and empty ones
        // included: each is a picture a caller asked for.
        c_.queue.Clear();
        for (const std::wstring& path : *batch) c_.queue.AddItem(path);
        OnRemoveClicked();
    }
}

void MainWindow::OnUnload() { s_.events.EndProgram(); }

void MainWindow::OnRemoveClicked() {
    RemovalRunOptions options{c_.sameNameBox.Value() != 0, std::exchange(toolCopyFailed_, false)};
    // After a second the run shows its progress, and Cancel ends it.
    RunProgress progress(s_, progress_, TempPath(TempFolder(s_.processes), kEventFileName));
    options.onWait = [&](const auto& pictures) { return progress.OnWait(pictures); };
    options.stoppedMessage = [&](const auto& pictures) {
        return progress.StoppedMessage(pictures);
    };
    RunRemoval(s_, c_.queue, c_.removeButton, options);
}

void MainWindow::OnClearClicked() { c_.queue.Clear(); }

void MainWindow::OnViewResultsClicked() { ShowResults(s_); }

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
