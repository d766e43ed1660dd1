#include "shellmenu/make_form_flat.h"

namespace velmora {

void MakeFormFlat(ControlCollection& form) {
    const int count = form.Count();
    for (int i = 0; i < count; ++i) {
        // Exact names: every kind of button, nothing else.
        const std::wstring type = form.TypeName(i);
        if (type == L"CommandButton" || type == L"OptionButton" || type == L"CheckBox") {
            form.SetFlat(i);
        }
    }
    form.Repaint();
}

}  // namespace velmora
