#include "registry_suite.h"
#include "runtime/registry_win.h"

namespace velmora::test {

INSTANTIATE_TEST_SUITE_P(Wine, RegistrySuite,
                         ::testing::Values(RegistryUnderTest{
                             "Win32", [] { return std::unique_ptr<Registry>(new Win32Registry); }}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace velmora::test
