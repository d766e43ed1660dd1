// The files the program keeps in the temporary folder: the value of "tmp",
// read afresh at every use, then "\" and the file's name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class FileSystem;
class Processes;

inline constexpr wchar_t kToolName[] = L"jhead.exe";
inline constexpr wchar_t kScriptName[] = L"Go.bat";
inline constexpr wchar_t kEventFileName[] = L"Event.txt";
// The program's own files there, all named "Velmora-*.tmp": a new copy of
// the tool before it is renamed into place, and the tool's outcome records
// for the program. One run at a time uses them.
inline constexpr wchar_t kStagedToolName[] = L"Velmora-jhead.tmp";
inline constexpr wchar_t kOutcomeFileName[] = L"Velmora-outcome.tmp";
// Environment variable through which the tool finds the results file.
inline constexpr wchar_t kEventFileVariable[] = L"VELMORA_EVENT_FILE";

// The value of "tmp" when it is the full path of an existing folder that
// the script can name; empty otherwise (an empty or relative value would
// put the program's files in the current folder or a drive's root).
std::wstring TempFolder(Processes& processes, FileSystem& files);
// The first of the program's own files in `tempFolder` that is a link
// (which would have the program write or delete the file it leads to).
std::optional<std::wstring> LinkedTempFile(FileSystem& files, std::wstring_view tempFolder);
std::wstring TempPath(std::wstring_view tempFolder, std::wstring_view name);

}  // namespace velmora
