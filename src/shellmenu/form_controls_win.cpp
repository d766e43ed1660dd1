#include "shellmenu/form_controls_win.h"

#include <uxtheme.h>

namespace velmora {

Win32ControlCollection::Win32ControlCollection(HWND form) : form_(form) {
    for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        controls_.push_back(c);
    }
}

std::wstring Win32ControlCollection::TypeName(int index) const {
    HWND c = controls_.at(size_t(index));
    wchar_t cls[64] = L"";
    GetClassNameW(c, cls, 64);
    const std::wstring name = cls;
    if (_wcsicmp(cls, L"Button") == 0) {
        switch (GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return L"CheckBox";
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return L"OptionButton";
            case BS_GROUPBOX:
                return L"Frame";
            default:
                return L"CommandButton";
        }
    }
    if (_wcsicmp(cls, L"ListBox") == 0) return L"ListBox";
    if (_wcsicmp(cls, L"Static") == 0) return L"Label";
    return name;  // other windows by their class name
}

void Win32ControlCollection::SetFlat(int index) {
    SetButtonFlat(controls_.at(size_t(index)), true);
}

void Win32ControlCollection::Repaint() {
    RedrawWindow(form_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SetButtonFlat(HWND button, bool flat) {
    LONG style = GetWindowLongW(button, GWL_STYLE);
    if (flat) style |= BS_FLAT;
    SetWindowLongW(button, GWL_STYLE, style);
    // A name no theme has (" ") leaves the control unthemed; an empty one
    // would not take on every system.
    if (flat) SetWindowTheme(button, L" ", L" ");
}

}  // namespace velmora
