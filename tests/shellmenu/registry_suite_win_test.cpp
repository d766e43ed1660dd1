#include <windows.h>

#include "registry_suite.h"
#include "runtime/registry_win.h"

namespace velmora::test {

INSTANTIATE_TEST_SUITE_P(Wine, RegistrySuite,
                         ::testing::Values(RegistryUnderTest{
                             "Win32", [] { return std::unique_ptr<Registry>(new Win32Registry); },
                             [] {
                                 for (const char* key : kSuiteKeys) {
                                     for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
                                         RegDeleteTreeA(
                                             root,
                                             (std::string("Software\\Classes\\") + key).c_str());
                                     }
                                 }
                                 RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VelmoraTest");
                             }}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace velmora::test
