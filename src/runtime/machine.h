// Facts about the machine the program runs on.
#pragma once

#include <string>

namespace velmora {

class Machine {
public:
    virtual ~Machine() = default;
    // The computer's name upper-cased, or the empty text when unknown.
    virtual std::wstring ComputerName() = 0;
};

}  // namespace velmora
