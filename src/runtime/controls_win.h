// Control behaviours over real Win32 windows.
#pragma once

#include <windows.h>

#include "runtime/controls.h"

namespace velmora {

class Win32ListBox : public ListControl {
public:
    // Creates the tooltip that shows ToolTipText over the list.
    explicit Win32ListBox(HWND list);
    ~Win32ListBox() override;

    int ListCount() const override;
    std::wstring List(int index) const override;
    void SetList(int index, std::wstring_view text) override;
    void AddItem(std::wstring_view text) override;
    void RemoveItem(int index) override;
    void Clear() override;
    int ListIndex() const override;
    void SetListIndex(int index) override;
    void SetToolTipText(std::wstring_view text) override;
    void SetRedraw(bool redraw) override;

    HWND toolTip() const { return toolTip_; }
    const std::wstring& toolTipText() const { return toolTipText_; }

private:
    LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam) const;

    HWND list_;
    WNDPROC listProc_;
    HWND toolTip_ = nullptr;
    std::wstring toolTipText_;
};

class Win32Button : public ButtonControl {
public:
    explicit Win32Button(HWND button) : button_(button) {}
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;

private:
    HWND button_;
};

class Win32CheckBox : public CheckControl {
public:
    explicit Win32CheckBox(HWND box) : box_(box) {}
    int Value() const override;
    void SetValue(int value) override;

private:
    HWND box_;
};

class Win32Form : public FormControl {
public:
    explicit Win32Form(HWND window) : window_(window) {}
    void Hide() override;
    void Close() override;

private:
    HWND window_;
};

}  // namespace velmora
