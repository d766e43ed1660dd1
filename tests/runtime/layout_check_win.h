// Checks a window against its layout table at a density: the end-to-end
// tests from outside the program, the in-process tests with fonts too.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <span>

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

}  // namespace velmora::test
