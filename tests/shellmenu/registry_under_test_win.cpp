// The suite's registry in the Win32 test binary: Wine's real one, where the
// suite's keys outlive the test and are removed before and after each.
#include <memory>

#include "runtime/registry_win.h"

namespace velmora::test {

std::unique_ptr<Registry> MakeRegistryUnderTest() { return std::make_unique<Win32Registry>(); }

void WipeRegistryUnderTest() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VelmoraTest");
    for (std::string key :
         {".vmt1", ".vmt2", ".vmt3", ".vmt4", ".vmt5", ".vmt6", ".vmt7", "VelmoraTest.A",
          "VelmoraTest.B", "VelmoraTest.C", "VelmoraTest.D", "VelmoraTest.E"}) {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeA(root, ("Software\\Classes\\" + key).c_str());
            RegDeleteTreeA(root, ("Software\\Classes\\SystemFileAssociations\\" + key).c_str());
        }
    }
}

}  // namespace velmora::test
