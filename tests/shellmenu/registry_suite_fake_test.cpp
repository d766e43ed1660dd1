#include "registry_suite.h"
#include "runtime/fake_registry.h"

namespace velmora::test {

INSTANTIATE_TEST_SUITE_P(InMemory, RegistrySuite,
                         ::testing::Values(RegistryUnderTest{
                             "InMemory", [] { return std::unique_ptr<Registry>(new FakeRegistry); },
                             [] {}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace velmora::test
