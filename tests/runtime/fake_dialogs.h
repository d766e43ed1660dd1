// Dialogs for tests: answers given in advance, and what was shown.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "runtime/dialogs.h"

namespace velmora::test {

class FakeDialogs : public Dialogs {
public:
    std::deque<Answer> answers;                // default Ok
    std::deque<std::wstring> inputs;           // default empty (Cancel)
    std::deque<FileDialogAnswer> fileAnswers;  // default cancelled
    std::function<void()> onModal;             // runs inside every modal call
    TwipsPoint screen{19200, 10800};

    std::vector<Message> shown;
    std::vector<FileDialogRequest> fileRequests;
    std::wstring lastInputDefault;
    TwipsPoint lastInputPlace;

    Answer MsgBox(const Message& message) override {
        shown.push_back(message);
        Modal();
        return Next(answers, Answer::Ok);
    }
    std::wstring InputBox(std::wstring_view, std::wstring_view defaultText,
                          TwipsPoint where) override {
        lastInputDefault = defaultText;
        lastInputPlace = where;
        Modal();
        return Next(inputs, std::wstring());
    }
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        Modal();
        return Next(fileAnswers, FileDialogAnswer{});
    }
    TwipsPoint ScreenSize() override { return screen; }

private:
    template <typename T>
    static T Next(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
    void Modal() {
        if (onModal) onModal();
    }
};

}  // namespace velmora::test
