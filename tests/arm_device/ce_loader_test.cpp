// The emulated device's loader and calling convention, with each CE ARM module.
#include <gtest/gtest.h>

#include "tests/arm_device/arm_device.h"

namespace {

using namespace arm_device_test;

constexpr uint32_t kDllProcessAttach = 1;
const char* const kModules[] = {"bcmgr.dll", "BCESetup.dll", "bcebtn.exe", "brindlecove.exe"};

TEST(CeLoader, EveryModuleLoadsAwayFromItsPreferredBase) {
  for (const char* name : kModules) {
    SCOPED_TRACE(name);
    ArmDevice device(name);
    EXPECT_NE(device.module.base, device.module.preferredBase);
    EXPECT_TRUE(device.core.problems.empty());
  }
}

TEST(CeLoader, LibrariesStartAndKeepTheCallingConvention) {
  for (const char* name : {"bcmgr.dll", "BCESetup.dll"}) {
    SCOPED_TRACE(name);
    ArmDevice device(name);
    EXPECT_EQ(device.Call("", {device.module.base, kDllProcessAttach, 0}), 1u);
  }
}

TEST(CeLoader, RefusesAModuleImportingAnOrdinalCoredllLacks) {
  for (const char* name : kModules) {
    ArmMachine machine;
    try {
      LoadModule(machine, [](uint16_t) { return std::nullopt; }, CeModuleFile(name), kLoadBase);
      ADD_FAILURE() << name << " loaded without its imports";
    } catch (const LoadError& e) {
      EXPECT_NE(std::string(e.what()).find("function @ Ordinal "), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(" missing in coredll.dll"), std::string::npos) << e.what();
    }
  }
}

TEST(CeLoader, RefusesAMissingFileNamingTheTree) {
  ArmMachine machine;
  EXPECT_THROW(LoadModule(machine, [](uint16_t) { return std::nullopt; }, CeModuleFile("none.dll"), kLoadBase),
               LoadError);
}

}  // namespace
