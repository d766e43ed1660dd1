// A window's child controls as a ControlCollection, and the flat style of a
// button window.
#pragma once

#include <windows.h>

#include <vector>

#include "shellmenu/make_form_flat.h"

namespace velmora {

class Win32ControlCollection : public ControlCollection {
public:
    explicit Win32ControlCollection(HWND form);
    int Count() const override { return int(controls_.size()); }
    std::wstring TypeName(int index) const override;
    void SetFlat(int index) override;
    void Repaint() override;

private:
    HWND form_;
    std::vector<HWND> controls_;
};

// Sets BS_FLAT (never clears it) and turns the visual style off for the
// button, which would otherwise draw it themed and ignore the flat style.
void SetButtonFlat(HWND button, bool flat);

}  // namespace velmora
