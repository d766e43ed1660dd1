// The main window: creates the controls of the layout table and routes
// their window messages to the Form1 handlers.
#pragma once

#include <windows.h>

#include <memory>

#include "main/form1.h"
#include "runtime/controls_win.h"

namespace velmora {

class Form1Window {
public:
    // Creates the window hidden, with every control; Show() shows it.
    explicit Form1Window(Platform& platform);
    ~Form1Window();
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    void Show(int showCommand);

    HWND hwnd() const { return hwnd_; }
    HWND control(int id) const { return GetDlgItem(hwnd_, id); }
    Form1& form1() { return *form1_; }
    Win32ListBox& list() { return *list_; }
    int dpi() const { return dpi_; }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnListMessage(HWND list, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void CreateControls();

    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    HFONT normalFont_ = nullptr;
    HFONT smallFont_ = nullptr;
    HBRUSH faceBrush_ = nullptr;
    std::unique_ptr<Win32Form> form_;
    std::unique_ptr<Win32ListBox> list_;
    std::unique_ptr<Win32Button> command2_;
    std::unique_ptr<Win32CheckBox> check1_;
    std::unique_ptr<Win32CheckBox> ch_;
    std::unique_ptr<Form1> form1_;
    Platform& platform_;
};

}  // namespace velmora
