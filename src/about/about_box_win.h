// The About box over Win32: a fixed tool window built from its layout
// table, showing the texts of about_box.h. ShowAboutBox is the "..."
// button's flow.
#pragma once

#include <windows.h>

#include <string>

#include "about/about_box.h"
#include "runtime/window_win.h"

namespace velmora {

class Processes;

class AboutBoxWin : public Window {
public:
    // Creates the box hidden, owned by `owner`, with its texts and `icon`
    // (the opener's) loaded. Check created() before use.
    AboutBoxWin(HWND owner, const AboutTexts& texts, std::wstring exeName, HICON icon,
                Processes& processes);
    ~AboutBoxWin() override;

    bool created() const { return created_; }
    // Shows the box centred on the screen.
    void Show();

private:
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code);
    void SelectEmail();
    void Close();

    HWND owner_;
    std::wstring exeName_;
    HICON icon_;
    Processes& processes_;
    HWND tip_ = nullptr;
    bool created_ = false;
};

// Opens the About box modally over `owner`: beeps, loads the running
// executable's name and version information, and returns when it closes.
void ShowAboutBox(HWND owner, Processes& processes);

}  // namespace velmora
