// One picture on disk: look at it, or clean it and put the result in its
// place in one atomic step. The original is either untouched or fully
// replaced, whatever fails.
#pragma once

#include <string>

namespace jhead {

enum class Outcome { Cleaned, NothingToRemove, Failed };

struct FileResult {
    Outcome outcome = Outcome::Failed;
    std::string line;  // the report line
    bool gps = false;  // the picture held a GPS position
};

FileResult CleanFile(const std::string& path);
FileResult DescribeFile(const std::string& path);

}  // namespace jhead
