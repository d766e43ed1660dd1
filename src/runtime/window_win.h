// The base of every window of the program: registers its class once, links
// the window to its object, dispatches messages to OnMessage, and creates
// the controls of a twips layout table at the window's DPI with the table's
// fonts and text colours.
#pragma once

#include <windows.h>

#include <map>

#include "resources/layout.h"
#include "runtime/handles_win.h"

namespace velmora {

// Dots per inch of the screen the program's windows are laid out for.
int ScreenDpi();
// Dots per inch at which the program's window holding `hwnd` is laid out.
int WindowDpi(HWND hwnd);

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    HWND control(int id) const { return GetDlgItem(hwnd_, id); }
    int dpi() const { return dpi_; }
    int Pixels(int twips) const { return TwipsToPixels(twips, dpi_); }

    // Lays the window out again at `dpi`, as when it moves to a screen of
    // another density: fonts made anew, every control placed and sized from
    // the table, the client area sized to the layout, the window moved to
    // `suggested` when given.
    void ApplyDpi(int dpi, const RECT* suggested = nullptr);
    // Puts the window in the middle of the screen (`flags`: SetWindowPos's,
    // e.g. SWP_SHOWWINDOW).
    void CenterOnScreen(UINT flags);

protected:
    Window() = default;

    struct Frame {
        const wchar_t* className;
        DWORD style;
        DWORD exStyle = 0;
        HWND owner = nullptr;
        HICON icon = nullptr;
    };
    // Creates the window hidden, sized to the layout's client area, with
    // every control of the table. False when the window or a control could
    // not be made.
    bool Create(const Frame& frame, const WindowLayout& layout);

    // Handles the window's messages. The default colours static controls
    // from the table, honours the busy pointer and calls DefWindowProcW.
    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool CreateControls(const WindowLayout& layout);
    HFONT FontFor(const FontSpec* wanted);
    HBRUSH BrushFor(uint32_t color);

    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    const WindowLayout* layout_ = nullptr;
    std::map<const FontSpec*, UniqueFont> fonts_;
    std::map<uint32_t, UniqueBrush> brushes_;
};

}  // namespace velmora
