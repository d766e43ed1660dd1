// The main window over Win32: creates the controls of the layout table and
// routes their messages to MainWindow's handlers.
#pragma once

#include <windows.h>

#include <memory>

#include "about/advertise_win.h"
#include "main/main_window.h"
#include "runtime/code_page_win.h"
#include "runtime/controls_win.h"
#include "runtime/machine_win.h"
#include "runtime/window_win.h"
#include "shellmenu/form_controls_win.h"

namespace velmora {

class MainWindowWin : public Window {
public:
    // Creates the window hidden, with every control; Show() shows it.
    // Check created() before use.
    explicit MainWindowWin(Services services);
    ~MainWindowWin() override;

    bool created() const { return behaviour_ != nullptr; }
    void Show(int showCommand);

    MainWindow& behaviour() { return *behaviour_; }
    Win32ListBox& queue() { return *queue_; }

private:
    static LRESULT CALLBACK QueueProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnQueueMessage(HWND list, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);

    std::unique_ptr<Win32Form> form_;
    std::unique_ptr<Win32ListBox> queue_;
    std::unique_ptr<Win32Button> removeButton_;
    std::unique_ptr<Win32CheckBox> contextMenuBox_;
    std::unique_ptr<Win32CheckBox> sameNameBox_;
    std::unique_ptr<Win32ControlCollection> all_;
    std::unique_ptr<MainWindow> behaviour_;
    Win32Machine machine_;
    Win32CodePage codePage_;
    std::unique_ptr<AdvertisePanel> advertisement_;
};

}  // namespace velmora
