#include "temp_folder.h"

#include <atomic>
#include <chrono>

namespace jhead_test {

std::filesystem::path FromUtf8(const std::string& s) {
    return std::filesystem::path(std::u8string(s.begin(), s.end()));
}

static std::string ToUtf8(const std::filesystem::path& p) {
    std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

TempFolder::TempFolder() {
    static std::atomic<int> n{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir = std::filesystem::temp_directory_path() /
          ("jhead-test-" + std::to_string(stamp) + "-" + std::to_string(n++));
    std::filesystem::create_directories(dir);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Read-only files left by a test must not stop the clean-up.
    for (auto& e : std::filesystem::directory_iterator(dir, ec)) {
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(dir, ec);
}

std::string TempFolder::Path(const std::string& name) const { return ToUtf8(dir / FromUtf8(name)); }

std::set<std::string> TempFolder::Names() const {
    std::set<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(dir)) {
        names.insert(ToUtf8(e.path().filename()));
    }
    return names;
}

}  // namespace jhead_test
