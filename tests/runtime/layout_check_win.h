// Checks a window against its layout table at a density: the end-to-end
// tests from outside the program, the in-process tests with fonts too.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "resources/layout.h"

namespace velmora::test {

// Every control of `layout` where the table puts it at `dpi`, within a
// pixel, and with `fonts` the font of each that shows text at that density.
// The advertisement panel sizes itself, a bar of no width grows with a run,
// a list box snaps its height to whole rows, and the system sizes an etched
// line.
inline void ExpectLaidOut(HWND window, const WindowLayout& layout, int dpi, bool fonts = false) {
    RECT client;
    GetClientRect(window, &client);
    EXPECT_NEAR(client.right, TwipsToPixels(layout.clientWidth, dpi), 1);
    EXPECT_NEAR(client.bottom, TwipsToPixels(layout.clientHeight, dpi), 1);
    for (const ControlLayout& c : std::span(layout.controls, size_t(layout.controlCount))) {
        if (c.kind == ControlKind::Panel || c.width == 0) continue;
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        HWND control = GetDlgItem(window, c.id);
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_NEAR(r.left, TwipsToPixels(c.left, dpi), 1);
        EXPECT_NEAR(r.top, TwipsToPixels(c.top, dpi), 1);
        if (fonts && c.kind != ControlKind::Line && c.kind != ControlKind::Image) {
            LOGFONTW lf{};
            GetObjectW(HFONT(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
            EXPECT_EQ(lf.lfHeight,
                      -MulDiv((c.font ? c.font : layout.font)->centiPoints, dpi, 7200));
        }
        if (c.kind == ControlKind::Line && c.textColor == kDefaultColor) continue;  // etched
        EXPECT_NEAR(r.right - r.left, TwipsToPixels(c.width, dpi), 1);
        if (c.kind == ControlKind::ListBox) continue;
        EXPECT_NEAR(r.bottom - r.top, TwipsToPixels(c.height, dpi), 1);
    }
}

// Every shown text of the window's buttons, check boxes and labels, measured
// in the font it is drawn in the way the control draws it, fits inside the
// control: a label's wrapped lines, a button's one line within its edges, a
// check box's beside its box; the height within the pixel that placing
// twips on pixels may round away.
inline void ExpectTextsFit(HWND window, int dpi) {
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(c, cls, 16);
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        const bool button = _wcsicmp(cls, L"Button") == 0;
        const bool label = _wcsicmp(cls, L"Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT;
        std::wstring text(size_t(GetWindowTextLengthW(c)) + 1, L'\0');
        text.resize(size_t(GetWindowTextW(c, text.data(), int(text.size()))));
        if (!(button || label) || text.empty() || !(style & WS_VISIBLE)) continue;
        RECT r;
        GetClientRect(c, &r);
        // A push button's edges; a check box's box and the gap after it.
        const bool checkBox = button && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
        const int edge = label ? 0 : MulDiv(checkBox ? 0 : 2, dpi, 96);
        RECT need{0, 0, r.right - 2 * edge - (checkBox ? MulDiv(16, dpi, 96) : 0), 0};
        HDC dc = GetDC(c);
        HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(c, WM_GETFONT, 0, 0)));
        const UINT format = label ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE;
        const int width = need.right;
        DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX | format);
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        EXPECT_LE(need.right, width) << "width at " << dpi << ": " << text;
        EXPECT_LE(need.bottom, r.bottom - 2 * edge + 1) << "height at " << dpi << ": " << text;
    }
}

}  // namespace velmora::test
