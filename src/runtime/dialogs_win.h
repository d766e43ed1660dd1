// Message and input boxes and the file dialog over the real system.
#pragma once

#include "runtime/dialogs.h"

namespace velmora {

class Win32Dialogs : public Dialogs {
public:
    // With `unattended`, nothing is shown: each message is written to the
    // standard output and answered with its default button, and an input
    // box is answered with its default text. For runs without a screen.
    Win32Dialogs(std::wstring appTitle, bool unattended);

    Answer MsgBox(const Message& message) override;
    std::wstring InputBox(std::wstring_view prompt, std::wstring_view defaultText,
                          TwipsPoint where) override;
    // Unattended, no dialog is shown and nothing is chosen.
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;
    TwipsPoint ScreenSize() override;

private:
    std::wstring appTitle_;
    bool unattended_;
};

}  // namespace velmora
