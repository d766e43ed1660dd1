// How the script and the results file name a queued picture.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class FileSystem;

// The path as the script, written in the ANSI code page, can name it: as
// it is, or by its short (8.3) form, which is plain ASCII, when that leads
// to the same file (two long names can share one short name). Never a
// best-fit spelling, which could name another file.
std::optional<std::wstring> ScriptName(FileSystem& files, const std::wstring& path);

// The name as the results file, in the ANSI code page, can show it: every
// character the page cannot hold, and every one that could break the line,
// as "?", followed by the code points that stand there, so that two such
// names never read the same ("C:\??.jpg [U+C0AC U+C9C4]").
std::wstring NameForResults(FileSystem& files, std::wstring_view text);

}  // namespace velmora
