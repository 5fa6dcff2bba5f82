#include "install_tool/package_choice.h"

#include <gtest/gtest.h>

#include "package_tool/package_error.h"

namespace install_tool {
namespace {

constexpr uint32_t kArm = 2577;
constexpr uint32_t kX86 = 686;

struct ChoiceCase {
  const char* what;
  std::vector<BuiltPackage> packages;
  uint32_t deviceProcessor;
  std::optional<std::string> chosen;
};

TEST(PackageFor, TakesTheOneBuiltForTheDeviceElseOneForAnyProcessor) {
  const std::vector<ChoiceCase> cases = {
      {"ARM device", {{"a.ARM.CAB", kArm}, {"a.X86.CAB", kX86}}, kArm, "a.ARM.CAB"},
      {"x86 device", {{"a.ARM.CAB", kArm}, {"a.X86.CAB", kX86}}, kX86, "a.X86.CAB"},
      {"its own before any processor", {{"a.ANY.CAB", 0}, {"a.X86.CAB", kX86}}, kX86, "a.X86.CAB"},
      {"any processor fits", {{"a.ARM.CAB", kArm}, {"a.ANY.CAB", 0}}, kX86, "a.ANY.CAB"},
      {"of two for any processor, the first", {{"a.ONE.CAB", 0}, {"a.TWO.CAB", 0}}, kArm, "a.ONE.CAB"},
      {"none fits", {{"a.ARM.CAB", kArm}}, kX86, std::nullopt},
      {"nothing built", {}, kX86, std::nullopt},
  };
  for (const ChoiceCase& c : cases) EXPECT_EQ(PackageFor(c.packages, c.deviceProcessor), c.chosen) << c.what;
}

constexpr char kSetupHead[] =
    "[Version]\nSignature=\"$Windows NT$\"\nProvider=\"Vantrel\"\nCESignature=\"$Windows CE$\"\n"
    "[CEStrings]\nAppName=\"Brindlecove\"\nInstallDir=%CE1%\\%AppName%\n"
    "[DefaultInstall]\nCopyFiles=Files.InstallDir\n"
    "[SourceDisksNames]\n1=,\"Device files\",,.\n[SourceDisksFiles]\nset.alf=1\n"
    "[DestinationDirs]\nFiles.InstallDir=0,%InstallDir%\n[Files.InstallDir]\nset.alf\n"
    "[CEDevice]\nVersionMin=4.20\n";

std::vector<std::pair<std::string, uint32_t>> Described(const std::vector<BuiltPackage>& packages) {
  std::vector<std::pair<std::string, uint32_t>> described;
  for (const BuiltPackage& package : packages) described.emplace_back(package.name, package.processorType);
  return described;
}

TEST(PackagesOfSetup, NamesOneCabinetPerTargetWithItsProcessor) {
  const std::string setup = std::string(kSetupHead) +
                            "[CEDevice.PPC_ARM]\nProcessorType=2577\n[CEDevice.PPC_X86]\nProcessorType=686\n";
  EXPECT_EQ(Described(PackagesOfSetup(setup, "setup.inf")),
            (std::vector<std::pair<std::string, uint32_t>>{{"Brindlecove.PPC_ARM.CAB", kArm},
                                                           {"Brindlecove.PPC_X86.CAB", kX86}}));
}

TEST(PackagesOfSetup, WithoutTargetsOneCabinetForAnyProcessor) {
  EXPECT_EQ(Described(PackagesOfSetup(kSetupHead, "setup.inf")),
            (std::vector<std::pair<std::string, uint32_t>>{{"Brindlecove.PPC_ARM.CAB", 0}}));
}

TEST(PackagesOfSetup, AFileThePackageToolRefusesThrows) {
  EXPECT_THROW(PackagesOfSetup("[Version]\nSignature=\"$Windows NT$\"\n", "setup.inf"), package_tool::PackageError);
}

TEST(DevicePackagePath, PutsThePackageInTheDevicesWindowsFolder) {
  EXPECT_EQ(DevicePackagePath("Brindlecove.PPC_ARM.CAB"), L"\\Windows\\Brindlecove.PPC_ARM.CAB");
  EXPECT_EQ(InstallerCommandLine(L"\\Windows\\a b.cab"), L"\"\\Windows\\a b.cab\"");
}

}  // namespace
}  // namespace install_tool
