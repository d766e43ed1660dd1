// One removal run at a time for the user, across every copy of the
// program: runs share the script, the results file and the tool's copy in
// the temporary folder.
#pragma once

namespace velmora {

class RunLock {
public:
    virtual ~RunLock() = default;
    // Takes the lock unless another run holds it; true when this program
    // holds it (also when it held it already). A run whose program died
    // leaves the lock free.
    virtual bool TryAcquire() = 0;
    virtual void Release() = 0;
};

}  // namespace velmora
