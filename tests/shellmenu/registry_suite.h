// One suite for the registry layer and the verb, run against the in-memory
// registry natively and against the real one under Wine: what passes on
// both shows the in-memory registry keeps the real one's rules. Its keys:
// below HKCU\Software\VelmoraTest, and .vmt1 to .vmt5, VelmoraTest.A to .C
// (with SystemFileAssociations\.vmtN) below HKCU and HKLM Software\Classes.
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
    void TearDown() override { GetParam().wipe(); }
    // Raw access below the layer under test; Raw gives "type:bytes", or "-".
    void Put(RegHandle root, const std::string& path, const std::string& data, uint32_t type = 1);
    std::string Raw(RegHandle root, const std::string& path, const std::string& name = "");
    bool Exists(RegHandle root, const std::string& path);

    std::unique_ptr<Registry> registry;
};

}  // namespace velmora::test
