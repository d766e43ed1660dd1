// One suite for the registry layer and the verb, run against the in-memory
// registry natively and against the real one under Wine: what passes on
// both shows the in-memory registry keeps the real one's rules.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "runtime/registry.h"

namespace velmora::test {

struct RegistryUnderTest {
    const char* name;
    std::unique_ptr<Registry> (*make)();
    void (*wipe)();  // removes the suite's keys from a registry that persists
};

class RegistrySuite : public ::testing::TestWithParam<RegistryUnderTest> {
protected:
    void SetUp() override;
    void TearDown() override;
    // Raw access, below the layer under test.
    void Put(RegHandle root, const std::string& path, uint32_t type, const std::string& data,
             const std::string& name = "");
    // "type:bytes", or "-" when the key or value is absent.
    std::string Raw(RegHandle root, const std::string& path, const std::string& name = "");
    bool Exists(RegHandle root, const std::string& path);

    std::unique_ptr<Registry> registry;
};

// The keys the suite makes, below HKCU and HKLM "Software\Classes\" (and
// "Software\VelmoraTest" below HKCU).
inline const char* const kSuiteKeys[] = {".vmt1",
                                         ".vmt2",
                                         ".vmt3",
                                         ".vmt4",
                                         "VelmoraTest.A",
                                         "VelmoraTest.B",
                                         "VelmoraTest.C",
                                         "SystemFileAssociations\\.vmt1",
                                         "SystemFileAssociations\\.vmt2",
                                         "SystemFileAssociations\\.vmt3",
                                         "SystemFileAssociations\\.vmt4",
                                         "SystemFileAssociations\\.vmt5"};

}  // namespace velmora::test
