// One picture on disk: look at it, or clean it and put the result in its
// place in one atomic step. The original is either untouched or fully
// replaced, whatever fails.
#pragma once

#include <string>

#include "common/tool_outcome.h"

namespace jhead {

using Outcome = velmora::ToolOutcome;
using Reason = velmora::ToolReason;

struct FileResult {
    Outcome outcome = Outcome::Failed;
    std::string line;              // the report line
    Reason reason = Reason::None;  // why it failed
    bool gps = false;              // the picture held a GPS position
    std::string opened;            // the long path of the file looked at
};

FileResult CleanFile(const std::string& path);
FileResult DescribeFile(const std::string& path);

}  // namespace jhead
