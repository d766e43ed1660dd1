// Draws a window's push buttons, option buttons and check boxes flat.
#pragma once

#include <string>

namespace velmora {

// A window's controls in creation order, each with its kind's type name
// ("CommandButton", "OptionButton", "CheckBox", "ListBox", "Label" ...).
class ControlCollection {
public:
    virtual ~ControlCollection() = default;
    virtual int Count() const = 0;
    virtual std::wstring TypeName(int index) const = 0;
    virtual void SetFlat(int index) = 0;
    virtual void Repaint() = 0;
};

void MakeFormFlat(ControlCollection& form);

}  // namespace velmora
