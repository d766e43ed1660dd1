// The main window's behaviour: start-up, the removal run, the results view
// and the editing of the file queue. The Win32 window (form1_win.cpp) owns
// the controls and routes their events here.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class ButtonControl;
class CheckControl;
class FormControl;
class ListControl;
class Platform;

struct Form1Controls {
    FormControl& form;
    ListControl& L;
    ButtonControl& Command2;
    CheckControl& Check1;
    CheckControl& Ch;
};

// Environment variable through which the tool finds the results file.
inline constexpr wchar_t kEventFileVariable[] = L"VELMORA_EVENT_FILE";

enum : int { kMouseLeft = 1, kKeyDelete = 46 };

class Form1 {
public:
    Form1(Platform& platform, Form1Controls controls);

    // Runs before the window is first shown. Returns true on a command-line
    // start: the run has been done and the window closed.
    bool Form_Load();
    void Form_Unload();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Check1_Click();

    void L_Click();
    void L_KeyDown(int keyCode, int shift);
    void L_MouseDown(int button, int shift, int x, int y);
    void L_MouseMove(int button, int shift, int x, int y);
    // Files dropped from the shell, in the order the drop delivers them.
    void L_OLEDragDrop(const std::vector<std::wstring>& files);

private:
    // A file in the temporary folder: "tmp", read afresh, then "\" and name.
    std::wstring TempPath(std::wstring_view name);
    void CopyToolToTemp();
    void ReplaceWithOutput(const std::wstring& picture);

    Platform& platform_;
    Form1Controls c_;
    int dragIndex_ = 0;
};

}  // namespace velmora
