// Modal dialogs: message box and input box (the file dialog joins them).
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace velmora {

enum class Buttons { Ok, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Warning };
enum class Answer { Ok, Cancel, Yes, No };

struct Message {
    Message() = default;
    Message(std::wstring text, MsgIcon icon = MsgIcon::None, Buttons buttons = Buttons::Ok,
            bool secondButtonDefault = false, std::wstring title = {})
        : text(std::move(text)),
          buttons(buttons),
          icon(icon),
          secondButtonDefault(secondButtonDefault),
          title(std::move(title)) {}

    std::wstring text;
    Buttons buttons = Buttons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool secondButtonDefault = false;
    std::wstring title;  // empty: the application title
};

// A place on the screen in twips; negative coordinates mean "centred".
struct TwipsPoint {
    int x = -1;
    int y = -1;
};

enum class FileDialogMode { OpenOne, OpenMany, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::OpenMany;
    std::wstring filter;            // "description|pattern|description|pattern..."
    std::wstring title;             // empty: the system's title
    std::wstring defaultExtension;  // empty: none
    std::wstring initialFolder;
    std::wstring initialFile;  // pre-filled in the name box
};

struct FileDialogAnswer {
    // The dialog's selection without its closing NULs, empty when cancelled:
    // one full path, or (several files) the folder, NUL, the names joined by
    // NUL.
    std::wstring selection;
    bool tooManyFiles = false;  // the chosen names did not fit the buffer
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows the message modally and returns the button that closed it.
    virtual Answer MsgBox(const Message& message) = 0;
    // Returns the typed text, or the empty text on Cancel.
    virtual std::wstring InputBox(std::wstring_view prompt, std::wstring_view defaultText,
                                  TwipsPoint where = {}) = 0;
    // The common open or save dialog, modal over the foreground window.
    virtual FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) = 0;
    // The screen's width and height in twips.
    virtual TwipsPoint ScreenSize() = 0;
};

}  // namespace velmora
