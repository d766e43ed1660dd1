// A picture's name as the report lines show it: one line per picture, and
// the picture identified even where the results file's code page lacks
// some of the name's characters.
#pragma once

#include <string>

namespace jhead {

// fits: whether the results file can hold a text exactly. Control
// characters become escapes (a line break in a POSIX name); when the name
// does not fit, the code points that do not follow it in order
// ("??.jpg [U+C0AC U+C9C4]"), so that the "?" each turns into can be told
// apart.
std::string ShownName(const std::string& path, bool (*fits)(const std::string&));

}  // namespace jhead
