// A Form1 wired to in-memory controls and a scripted platform.
#pragma once

#include <gtest/gtest.h>

#include "main/form1.h"
#include "runtime/fake_controls.h"
#include "runtime/scripted_platform.h"

namespace velmora::test {

class Form1Test : public ::testing::Test {
protected:
    Form1Test() {
        ch.value = 1;  // created checked
        L.OnClick = [this] { form1.L_Click(); };
        platform.environment[L"tmp"] = L"C:\\TEMP";
    }

    void Queue(std::initializer_list<const wchar_t*> rows) {
        for (const wchar_t* row : rows) L.rows.emplace_back(row);
    }

    ScriptedPlatform platform;
    FakeForm form;
    FakeList L;
    FakeButton command2;
    FakeCheck check1;
    FakeCheck ch;
    Form1 form1{platform, Form1Controls{form, L, command2, check1, ch}};
};

}  // namespace velmora::test
