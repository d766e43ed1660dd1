// The main window's message texts, indexed by what they say.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace velmora {

enum class MainText {
    Done,
    SomeNotCleaned,
    NameNotInCodePage,
    ToolNotCopied,
    ToolMissing,
    ScriptNotWritten,
    ScriptNotStarted,
    NotepadNotStarted,
};

// The text, with "{1}", "{2}" ... replaced by the arguments.
std::wstring MainMessage(MainText text, std::initializer_list<std::wstring_view> args = {});

}  // namespace velmora
