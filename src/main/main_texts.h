// The main window's message texts, indexed by what they say.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace velmora {

enum class MainText {
    Done,
    Cleaned,
    CleanedWithGps,
    NothingToRemove,
    SomeNotCleaned,
    SomeNotCleanedWithGps,
    RefusedWithGps,
    Cancelled,
    // Why pictures were not cleaned, in the order of ToolReason from Missing.
    FailedMissing,
    FailedReadOnly,
    FailedInUse,
    FailedDenied,
    FailedNotJpeg,
    FailedDamaged,
    FailedNotAFile,
    FailedDiskFull,
    FailedOther,
    LeftOut,
    NoOutcome,
    SeeResults,
    SomeUnreported,
    ResultsUnwritable,
    ResultsNotRecorded,
    NameNotInCodePage,
    NoTool,
    ToolNotReplaced,
    OutcomesNotWritable,
    ScriptNotWritten,
    ScriptNotStarted,
    NotepadNotStarted,
    CancelledWaiting,
};

// The text, with "{1}", "{2}" ... replaced by the arguments.
std::wstring MainMessage(MainText text, std::initializer_list<std::wstring_view> args = {});

}  // namespace velmora
