// The main window's behaviour: start-up, and one thin handler per control
// event, each handing its work to a flow. The Win32 window
// (main_window_win.cpp) owns the controls and routes their events here.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "addfiles/add_files_flow.h"
#include "addfiles/progress_bar.h"
#include "main/file_list.h"
#include "runtime/services.h"
#include "shellmenu/context_menu_box.h"
#include "shellmenu/make_form_flat.h"

namespace velmora {

class ButtonControl;
class CheckControl;
class FormControl;
class ListControl;

struct MainControls {
    FormControl& form;
    ListControl& queue;
    ButtonControl& removeButton;
    CheckControl& contextMenuBox;
    // "Save under the same name": created checked and hidden.
    CheckControl& sameNameBox;
    ControlCollection& all;
};

enum class Key { Delete, Other };

class MainWindow {
public:
    // `progressWindows` makes the progress window of long work; without it
    // long work shows none.
    MainWindow(Services services, MainControls controls,
               ProgressBar::ViewFactory progressWindows = nullptr);

    // Runs before the window is first shown. Returns true on a command-line
    // start: the run has been done and the window closed.
    bool OnLoad();
    // Closing the window ends the program, whatever else is open or running.
    void OnUnload();

    void OnAddFilesClicked();
    void OnRemoveClicked();
    void OnClearClicked();
    void OnAboutClicked();
    void OnViewResultsClicked();
    void OnContextMenuBoxClicked();

    void OnQueueClicked();
    void OnQueueKeyDown(Key key);
    void OnQueueMouseDown(int buttons);
    void OnQueueMouseMove(int buttons);
    void OnFilesDropped(const std::vector<std::wstring>& files);

    // The About box's flow, set by the window that owns the real box.
    std::function<void()> openAboutBox;

private:
    Services s_;
    MainControls c_;
    // The command-line start: runs on the paths given and on those that
    // starts arriving meanwhile hand over.
    void RunCommandLineStart(const std::vector<std::wstring>& paths);
    // The removal run over the queue; a later batch of a command-line
    // session continues its results file.
    void Remove(bool continueResults);

    RowDrag drag_;
    ContextMenuBox contextMenu_;
    // Whether the results file holds the last run's lines, and what it
    // held when that run ended.
    bool lastResultsRecorded_ = true;
    std::optional<size_t> lastResults_;
    bool running_ = false;
    ProgressBar progress_;
    AddFilesFlow addFiles_;
};

}  // namespace velmora
