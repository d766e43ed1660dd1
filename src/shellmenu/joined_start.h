// The runs of a command-line start that others may join: the first run
// takes every path handed over until no more arrive for a while; paths
// that arrive during a run make the next one.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora {

class EventLoop;
class StartJoin;

class JoinedStart {
public:
    JoinedStart(StartJoin& join, EventLoop& events) : join_(join), events_(events) {}

    // The paths of the first run; nullopt when another start took them.
    std::optional<std::vector<std::wstring>> Begin(std::vector<std::wstring> paths);
    // After a run: the paths of the next one; empty when none came and no
    // more are taken.
    std::vector<std::wstring> Next();

private:
    std::vector<std::wstring> Gather(std::vector<std::wstring> paths);

    StartJoin& join_;
    EventLoop& events_;
};

}  // namespace velmora
