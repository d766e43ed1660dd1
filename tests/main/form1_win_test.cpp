// The real main window under Wine, driven by window messages, with a
// scripted platform behind it.
#include "main/form1_win.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "resources/form1_layout.h"
#include "runtime/message_loop_win.h"
#include "runtime/scripted_platform.h"

namespace velmora {
namespace {

using Rows = std::vector<std::wstring>;

std::wstring WindowText(HWND h) {
    std::wstring text(size_t(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(h, text.data(), int(text.size()))));
    return text;
}

// A shell drop of `paths`, as Explorer hands it to the list box.
HDROP MakeDrop(const Rows& paths) {
    size_t chars = 1;
    for (const std::wstring& p : paths) chars += p.size() + 1;
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(df + 1);
    for (const std::wstring& p : paths) {
        wcscpy(out, p.c_str());
        out += p.size() + 1;
    }
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

class Form1WindowTest : public ::testing::Test {
protected:
    Form1WindowTest() {
        // The window stays hidden: messages reach it all the same, and Wine
        // without a window manager takes seconds to take a shown one down.
        platform.environment[L"tmp"] = L"C:\\TEMP";
    }

    HWND L() { return window.control(kIdL); }
    Rows Rows_() {
        Rows rows;
        for (int i = 0; i < window.list().ListCount(); ++i) rows.push_back(window.list().List(i));
        return rows;
    }
    void Fill(const Rows& rows) {
        window.list().Clear();
        for (const std::wstring& r : rows) window.list().AddItem(r);
    }
    LPARAM RowPoint(int row) {
        RECT r;
        SendMessageW(L(), LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
        return MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
    }
    void PressDelete() {
        SendMessageW(L(), WM_KEYDOWN, VK_DELETE, 0);
        SendMessageW(L(), WM_KEYUP, VK_DELETE, 0);
    }

    test::ScriptedPlatform platform;
    Form1Window window{platform};
};

TEST_F(Form1WindowTest, ControlsStandWhereTheLayoutTablePutsThem) {
    const int dpi = window.dpi();
    RECT client;
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(kForm1ClientWidth, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(kForm1ClientHeight, dpi));
    EXPECT_EQ(WindowText(window.hwnd()), kForm1Caption);
    LONG style = GetWindowLongW(window.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));

    for (const ControlLayout& c : kForm1Layout) {
        SCOPED_TRACE(testing::Message() << "control id " << c.id);
        HWND h = window.control(c.id);
        ASSERT_TRUE(h);
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, TwipsToPixels(c.left, dpi));
        EXPECT_EQ(r.top, TwipsToPixels(c.top, dpi));
        EXPECT_EQ(r.right - r.left, TwipsToPixels(c.width, dpi));
        if (c.kind != ControlKind::ListBox) {  // a list box snaps to whole rows
            EXPECT_EQ(r.bottom - r.top, TwipsToPixels(c.height, dpi));
        }
        EXPECT_EQ(WindowText(h), c.caption);
        EXPECT_EQ((GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0, c.visible);
        if (c.kind == ControlKind::Panel) continue;  // draws no text of its own
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        EXPECT_STREQ(lf.lfFaceName, L"宋体");
        int points = c.font == ControlFont::Small ? kSmallFontCentiPoints : kNormalFontCentiPoints;
        EXPECT_EQ(lf.lfHeight, -MulDiv(points, dpi, 7200));
    }
    EXPECT_EQ(SendMessageW(window.control(kIdCh), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(window.control(kIdCheck1), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // Tab order: the list first, then the buttons and the visible check box.
    std::vector<int> order;
    HWND h = L();
    for (int i = 0; i < 7; ++i) {
        order.push_back(GetDlgCtrlID(h));
        h = GetNextDlgTabItem(window.hwnd(), h, FALSE);
    }
    EXPECT_EQ(order, (std::vector<int>{kIdL, kIdCommand1, kIdCommand2, kIdCommand3, kIdCheck1,
                                       kIdCommand4, kIdCommand5}));
    EXPECT_EQ(h, L());
}

TEST_F(Form1WindowTest, DroppedFilesGoOnTopAndRowZeroShowsAsTooltip) {
    Fill({L"C:\\old.jpg", L"C:\\Pics\\A.JPG"});
    SendMessageW(L(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({L"C:\\照片\\新.jpg", L"c:\\pics\\a.jpg"})), 0);
    EXPECT_EQ(Rows_(), (Rows{L"C:\\照片\\新.jpg", L"c:\\pics\\a.jpg", L"C:\\old.jpg"}));
    EXPECT_EQ(window.list().ListIndex(), 0);

    wchar_t tip[MAX_PATH] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = window.hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(L());
    ti.lpszText = tip;
    SendMessageW(window.list().toolTip(), TTM_GETTEXTW, MAX_PATH, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(tip, L"C:\\照片\\新.jpg");

    // Clicking a row with the mouse shows that row's path.
    SendMessageW(L(), WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(2));
    SendMessageW(L(), WM_LBUTTONUP, 0, RowPoint(2));
    PumpPendingMessages();
    EXPECT_EQ(window.list().toolTipText(), L"C:\\old.jpg");

    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(kIdCommand3, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.control(kIdCommand3)));
    EXPECT_TRUE(Rows_().empty());
}

TEST_F(Form1WindowTest, DeleteKeyRemovesOneEntryAtATime) {
    Fill({L"A", L"B", L"C"});
    PressDelete();  // nothing selected
    EXPECT_EQ(Rows_().size(), 3u);
    window.list().SetListIndex(1);
    SendMessageW(L(), WM_KEYDOWN, VK_INSERT, 0);  // only Delete acts
    PressDelete();
    EXPECT_EQ(Rows_(), (Rows{L"A", L"C"}));
    EXPECT_EQ(window.list().ListIndex(), 1);  // the entry that followed
    EXPECT_EQ(window.list().toolTipText(), L"C");
    PressDelete();  // the last row: the new last one is selected
    EXPECT_EQ(Rows_(), Rows{L"A"});
    EXPECT_EQ(window.list().ListIndex(), 0);
    PressDelete();
    EXPECT_TRUE(Rows_().empty());
    EXPECT_EQ(window.list().ListIndex(), -1);
    PressDelete();  // on an empty list nothing happens
}

TEST_F(Form1WindowTest, DraggingWithTheLeftButtonCarriesTheEntryAlong) {
    Fill({L"A", L"B", L"C", L"D"});
    SendMessageW(L(), WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(0));
    for (int row = 1; row <= 3; ++row) SendMessageW(L(), WM_MOUSEMOVE, MK_LBUTTON, RowPoint(row));
    SendMessageW(L(), WM_LBUTTONUP, 0, RowPoint(3));
    EXPECT_EQ(Rows_(), (Rows{L"B", L"C", L"D", L"A"}));
    EXPECT_EQ(window.list().ListIndex(), 3);

    Fill({L"A", L"B", L"C", L"D"});
    SendMessageW(L(), WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(0));
    SendMessageW(L(), WM_MOUSEMOVE, MK_LBUTTON, RowPoint(3));
    SendMessageW(L(), WM_LBUTTONUP, 0, RowPoint(3));
    EXPECT_EQ(Rows_(), (Rows{L"D", L"B", L"C", L"A"}));

    // Moving without the left button, or with the right one too, reorders
    // nothing.
    window.list().SetListIndex(1);
    SendMessageW(L(), WM_MOUSEMOVE, 0, RowPoint(2));
    SendMessageW(L(), WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, RowPoint(2));
    EXPECT_EQ(Rows_(), (Rows{L"D", L"B", L"C", L"A"}));
}

TEST_F(Form1WindowTest, TheQueueCanBeEditedWhileTheRunWaitsWithItsButtonDisabled) {
    Fill({L"C:\\a.jpg", L"C:\\b.jpg"});
    platform.processPasses = 3;
    platform.onProcessRun = [&](const std::wstring&) {
        for (const wchar_t* name : {L"C:\\a.jpg", L"C:\\b.jpg"}) {
            platform.files[name] = {1000};
            platform.files[std::wstring(name) + L".tmp"] = {900};
        }
    };
    bool buttonDisabled = false;
    platform.onDoEvents = [&] {
        buttonDisabled = !IsWindowEnabled(window.control(kIdCommand2));
        if (platform.doEventsCount == 1) {
            // The user selects a.jpg and presses Delete while the script runs.
            window.list().SetListIndex(0);
            PostMessageW(L(), WM_KEYDOWN, VK_DELETE, 0);
        }
        PumpPendingMessages();
    };

    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(kIdCommand2, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.control(kIdCommand2)));

    EXPECT_TRUE(buttonDisabled);
    EXPECT_TRUE(IsWindowEnabled(window.control(kIdCommand2)));
    EXPECT_EQ(Rows_(), Rows{L"C:\\b.jpg"});
    // Go.bat was built from the queue before the wait...
    EXPECT_NE(platform.files[L"C:\\TEMP\\Go.bat"].text.find(L"C:\\a.jpg"), std::wstring::npos);
    // ...but only what is still queued afterwards is replaced.
    EXPECT_EQ(platform.files[L"C:\\a.jpg"].size, 1000);
    EXPECT_EQ(platform.files[L"C:\\b.jpg"].size, 900);
    EXPECT_EQ(platform.Calls(L"MsgBox"), Rows{L"MsgBox 0 |搞定"});
}

TEST_F(Form1WindowTest, RowsBeyondSixteenBitIndicesWork) {
    window.list().SetRedraw(false);
    for (int i = 0; i < 32800; ++i) window.list().AddItem(std::to_wstring(i));
    window.list().SetRedraw(true);
    window.list().SetListIndex(32799);
    EXPECT_EQ(window.list().toolTipText(), L"32799");
    PressDelete();
    EXPECT_EQ(window.list().ListCount(), 32799);
    EXPECT_EQ(window.list().ListIndex(), 32798);
    window.list().SetListIndex(32770);
    PressDelete();
    EXPECT_EQ(window.list().List(32770), L"32771");
    EXPECT_EQ(window.list().toolTipText(), L"32771");
}

TEST_F(Form1WindowTest, TheBusyPointerShowsOverTheWindowUntilReset) {
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    SetBusyPointerState(true);
    SetCursor(nullptr);
    EXPECT_TRUE(SendMessageW(window.hwnd(), WM_SETCURSOR, WPARAM(L()), MAKELPARAM(HTCLIENT, 0)));
    EXPECT_EQ(GetCursor(), wait);
    SetBusyPointerState(false);
    SendMessageW(window.hwnd(), WM_SETCURSOR, WPARAM(window.hwnd()), MAKELPARAM(HTCLIENT, 0));
    EXPECT_NE(GetCursor(), wait);
}

TEST_F(Form1WindowTest, ClosingTheWindowEndsTheProgram) {
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(platform.ended);
    EXPECT_FALSE(IsWindow(window.hwnd()));
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace velmora
