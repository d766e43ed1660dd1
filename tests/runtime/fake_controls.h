// In-memory controls with the same event rules as the real ones.
#pragma once

#include <string>
#include <vector>

#include "runtime/controls.h"
#include "shellmenu/make_form_flat.h"

namespace velmora::test {

class FakeList : public ListControl {
public:
    std::vector<std::wstring> rows;
    int index = -1;

    int ListCount() const override { return int(rows.size()); }
    std::wstring List(int i) const override {
        return i >= 0 && i < ListCount() ? rows[i] : std::wstring();
    }
    void SetList(int i, std::wstring_view text) override { rows.at(i) = text; }
    void AddItem(std::wstring_view text) override { rows.emplace_back(text); }
    void RemoveItem(int i) override {
        rows.erase(rows.begin() + i);
        if (index >= i) index = index == i ? -1 : index - 1;
    }
    void Clear() override {
        rows.clear();
        index = -1;
    }
    int ListIndex() const override { return index; }
    void SetListIndex(int i) override {
        if (i < -1 || i >= ListCount()) return;
        index = i;
        if (OnClick) OnClick();
    }
    void SetToolTipText(std::wstring_view) override {}
};

class FakeButton : public ButtonControl {
public:
    bool enabled = true;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
};

class FakeCheck : public CheckControl {
public:
    int value = 0;
    int Value() const override { return value; }
    void SetValue(int v) override {
        if (v == value) return;
        value = v;
        if (OnClick) OnClick();
    }
};

class FakeForm : public FormControl {
public:
    bool hidden = false;
    bool closed = false;
    void Hide() override { hidden = true; }
    void Close() override { closed = true; }
};

class FakeControlCollection : public ControlCollection {
public:
    std::vector<std::wstring> types;
    std::vector<int> flat;  // indices styled, in order
    int Count() const override { return int(types.size()); }
    std::wstring TypeName(int i) const override { return types.at(size_t(i)); }
    void SetFlat(int i) override { flat.push_back(i); }
    void Repaint() override {}
};

}  // namespace velmora::test
