// The emulated device's loader and calling convention, with each CE ARM module.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "platform/ce_image.h"
#include "tests/arm_device/arm_device.h"
#include "tests/import_check/pe_image.h"

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

import_check::PeImage ReadImage(const std::string& path) {
  std::optional<import_check::PeImage> image = import_check::ReadPeImage(import_check::ReadFileBytes(path));
  EXPECT_TRUE(image.has_value()) << path;
  return image.value_or(import_check::PeImage{});
}

TEST(CeLoader, MapsTheHeadersReadOnlyAndEachSectionWithTheAccessOfItsFlags) {
  const std::map<std::string, uint32_t> access = {
      {".text", kPageRead | kPageExecute}, {".rdata", kPageRead}, {".data", kPageRead | kPageWrite},
      {".idata", kPageRead},               {".rsrc", kPageRead},  {".reloc", kPageRead}};
  for (const char* name : kModules) {
    SCOPED_TRACE(name);
    ArmDevice device(name);
    EXPECT_EQ(device.machine.AccessAt(device.module.base), kPageRead);
    for (const import_check::Section& s : ReadImage(CeModuleFile(name)).sections) {
      SCOPED_TRACE(s.name);
      ASSERT_TRUE(access.contains(s.name));
      const uint32_t first = device.module.base + s.address;
      EXPECT_EQ(device.machine.AccessAt(first), access.at(s.name));
      EXPECT_EQ(device.machine.AccessAt(first + PageUp(s.virtualSize) - 1), access.at(s.name));
    }
  }
}

TEST(CeLoader, RefusesASectionOffItsOwnPages) {
  namespace pe = platform::ce_image;
  const std::string original = CeModuleFile("bcmgr.dll");
  const import_check::PeImage image = ReadImage(original);
  ASSERT_GE(image.sections.size(), 2u);
  const uint32_t second = image.sections[1].address;
  for (const uint32_t moved : {second + 0x10, image.sections[0].address + PageUp(image.sections[0].virtualSize) - 0x1000}) {
    std::vector<uint8_t> file = import_check::ReadFileBytes(original);
    const uint32_t header = pe::kPeHeaderAt + 4 + pe::kCoffHeaderSize + pe::kOptionalHeaderSize + pe::kSectionHeaderSize;
    for (int i = 0; i < 4; ++i) file[header + pe::kSectionAddressAt + i] = static_cast<uint8_t>(moved >> (8 * i));
    const std::string path = testing::TempDir() + "bcmgr.dll";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
    ArmMachine machine;
    try {
      LoadModule(machine, [](uint16_t) { return kLoadBase; }, path, kLoadBase);
      ADD_FAILURE() << "loaded with a section at " << moved;
    } catch (const LoadError& e) {
      EXPECT_EQ(std::string(e.what()), path + ": section " + image.sections[1].name + " does not start on a page of its own");
    }
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
