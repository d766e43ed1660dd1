#include <windows.h>

#include "registry_suite.h"
#include "runtime/registry_win.h"

namespace velmora::test {

void Wipe() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VelmoraTest");
    for (std::string key : {".vmt1", ".vmt2", ".vmt3", ".vmt4", ".vmt5", "VelmoraTest.A",
                            "VelmoraTest.B", "VelmoraTest.C"}) {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeA(root, ("Software\\Classes\\" + key).c_str());
            RegDeleteTreeA(root, ("Software\\Classes\\SystemFileAssociations\\" + key).c_str());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Wine, RegistrySuite,
                         ::testing::Values(RegistryUnderTest{
                             "Win32", [] { return std::unique_ptr<Registry>(new Win32Registry); },
                             Wipe}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace velmora::test
