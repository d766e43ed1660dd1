#include "shellmenu/joined_start.h"

#include "runtime/event_loop.h"
#include "runtime/start_join.h"

namespace velmora {

namespace {

constexpr int kPollMs = 100;
// Explorer starts one program per picture, one after the other; a loaded
// machine takes a while to bring each one up. Two seconds without a new
// arrival ends the gathering; a minute bounds it.
constexpr int kQuietPolls = 20;
constexpr int kMaxPolls = 600;

}  // namespace

std::optional<std::vector<std::wstring>> JoinedStart::Begin(std::vector<std::wstring> paths) {
    if (join_.HandOver(paths)) return std::nullopt;
    return Gather(std::move(paths));
}

std::vector<std::wstring> JoinedStart::Next() {
    events_.DoEvents();
    std::vector<std::wstring> arrived = join_.TakeHandedOver();
    if (arrived.empty()) {
        if (join_.CloseIfIdle()) return {};
        arrived = join_.TakeHandedOver();
    }
    return Gather(std::move(arrived));
}

std::vector<std::wstring> JoinedStart::Gather(std::vector<std::wstring> paths) {
    for (int quiet = 0, polls = 0; quiet < kQuietPolls && polls < kMaxPolls; ++polls) {
        events_.DoEvents();
        events_.Sleep(kPollMs);
        std::vector<std::wstring> more = join_.TakeHandedOver();
        quiet = more.empty() ? quiet + 1 : 0;
        paths.insert(paths.end(), more.begin(), more.end());
    }
    return paths;
}

}  // namespace velmora
