// The text of Go.bat, the batch script that runs the tool once per picture.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Whether a name can stand inside quotes on a line of the script: no quote,
// which would end them, and no control character (a line break would start
// a command of its own).
bool ScriptCanHold(std::wstring_view text);

// Doubles every "%" so that cmd.exe does not expand it inside a batch file.
std::wstring EscapeForBatch(std::wstring_view text);

// First line, for a new results file: creates T\Event.txt. Then one
// `"T\jhead.exe" -de "P"` line per picture, in order. Every line ends in
// CR LF.
std::wstring BuildRemovalScript(std::wstring_view tempFolder,
                                const std::vector<std::wstring>& pictures, bool newResults = true);

}  // namespace velmora
