// The control behaviours the handlers rely on. Win32 implements them over
// real windows (controls_win.cpp); tests use in-memory ones.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A single-selection list box. Setting ListIndex in code raises OnClick, as
// a click does; everything else raises nothing.
class ListControl {
public:
    virtual ~ListControl() = default;
    virtual int ListCount() const = 0;
    virtual std::wstring List(int index) const = 0;
    virtual void SetList(int index, std::wstring_view text) = 0;
    virtual void AddItem(std::wstring_view text) = 0;
    virtual void RemoveItem(int index) = 0;
    virtual void Clear() = 0;
    // -1 when no row is selected.
    virtual int ListIndex() const = 0;
    // -1 clears the selection; an index out of range is ignored.
    virtual void SetListIndex(int index) = 0;
    virtual void SetToolTipText(std::wstring_view text) = 0;
    // Bulk updates (rebuilding the list) can hold back repainting.
    virtual void SetRedraw(bool) {}

    std::function<void()> OnClick;
};

// Every row of the list, row 0 first.
inline std::vector<std::wstring> Rows(const ListControl& list) {
    std::vector<std::wstring> rows;
    const int count = list.ListCount();
    rows.reserve(size_t(count > 0 ? count : 0));
    for (int row = 0; row < count; ++row) rows.push_back(list.List(row));
    return rows;
}

class ButtonControl {
public:
    virtual ~ButtonControl() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// A check box: 0 unchecked, 1 checked. Setting a different value in code
// raises OnClick, as a user's click does; the same value raises nothing.
class CheckControl {
public:
    virtual ~CheckControl() = default;
    virtual int Value() const = 0;
    virtual void SetValue(int value) = 0;

    std::function<void()> OnClick;
};

class FormControl {
public:
    virtual ~FormControl() = default;
    virtual void Hide() = 0;
    // Closes the window, which raises Form_Unload.
    virtual void Close() = 0;
};

}  // namespace velmora
