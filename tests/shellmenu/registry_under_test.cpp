// The suite's registry in the portable test binary: the in-memory one.
#include "runtime/fake_registry.h"

namespace velmora::test {

std::unique_ptr<Registry> MakeRegistryUnderTest() { return std::make_unique<FakeRegistry>(); }
void WipeRegistryUnderTest() {}

}  // namespace velmora::test
