// The machine's facts from the system.
#pragma once

#include "runtime/machine.h"

namespace velmora {

class Win32Machine : public Machine {
public:
    std::wstring ComputerName() override;
};

}  // namespace velmora
