#include "main/main_window.h"

#include <utility>

#include "addfiles/run_progress.h"
#include "main/get_arguments.h"
#include "main/removal_run.h"
#include "main/results_view.h"
#include "main/temp_files.h"
#include "runtime/controls.h"

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
      progress_(s_.events, std::move(progressWindows)),
      addFiles_(s_, progress_) {}

bool MainWindow::OnLoad() {
    // Command-line entries are appended as they are, duplicates and empty
    // ones included: each is a picture the caller asked for.
    for (const std::wstring& path : GetArguments(s_.processes.CommandLine())) {
        c_.queue.AddItem(path);
    }
    const bool commandLineStart = c_.queue.ListCount() > 0;
    // A command-line start keeps the copy an interactive start left, but the
    // folder may have been cleaned since: without a tool there every picture
    // would stay as it was.
    const std::wstring tool = TempPath(TempFolder(s_.processes), kToolName);
    if (!commandLineStart || !s_.files.Stat(tool)) toolCopyFailed_ = !CopyToolToTemp(s_);
    if (!commandLineStart) return false;

    c_.form.Hide();
    OnRemoveClicked();
    c_.form.Close();
    return true;
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

// The About box and the context-menu verb arrive with their own subsystems.
void MainWindow::OnAboutClicked() {}
void MainWindow::OnContextMenuBoxClicked() {}

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
