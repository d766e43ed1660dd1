// A fresh folder per test, removed afterwards, with UTF-8 path helpers.
#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace jhead_test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    // UTF-8 path of a file in the folder.
    std::string Path(const std::string& name) const;
    // Names of everything in the folder.
    std::set<std::string> Names() const;
    std::filesystem::path dir;
};

std::filesystem::path FromUtf8(const std::string& s);

}  // namespace jhead_test
