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
    FailedOtherFile,
    LeftOut,
    UnsafeNames,
    NoOutcome,
    SeeResults,
    SomeUnreported,
    ResultsUnwritable,
    ResultsNotRecorded,
    NameNotInCodePage,
    NameUnsafe,
    NoTool,
    ToolNotReplaced,
    OutcomesNotWritable,
    ScriptNotWritten,
    ScriptNotStarted,
    TempFolderInvalid,
    TempFileIsLink,
    NotepadNotStarted,
    CancelledWaiting,
    ResultsOfAnotherRun,
};

// The text, with "{1}", "{2}" ... replaced by the arguments.
std::wstring MainMessage(MainText text, std::initializer_list<std::wstring_view> args = {});

}  // namespace velmora
