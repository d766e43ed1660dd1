// Command-line starts of one user that overlap join one run: Explorer starts
// the program once per selected picture, all at once. The first start owns
// the run and takes the paths the later ones hand over; those end at once.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class StartJoin {
public:
    virtual ~StartJoin() = default;
    // True when a run of another start took `paths` (this start is done);
    // false when this start now owns the run.
    virtual bool HandOver(const std::vector<std::wstring>& paths) = 0;
    // Owner: the paths handed over since the last call, in arrival order.
    // Hand-overs arrive while the owner handles its events.
    virtual std::vector<std::wstring> TakeHandedOver() = 0;
    // Owner: stops taking paths, unless some are waiting: then false, and
    // the owner runs those first.
    virtual bool CloseIfIdle() = 0;
};

}  // namespace velmora
