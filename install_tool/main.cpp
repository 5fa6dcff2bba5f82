// bcinstall: run by installsetup.bat in the builder's folder. Asks the
// connected device for its processor, sends it the package of output\ built
// for that processor and starts its installer there.
// Exit codes: 0 sent, 2 no package, 3 no device, 4 the transfer or start
// failed, 5 no package for the device's processor (nothing sent).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "install_tool/package_choice.h"
#include "package_tool/package_error.h"
#include "support/files.h"
#include "support/remote_api.h"

namespace {

constexpr const char* kCaption = "Brindlecove Install";
constexpr const char* kSetupFile = "setup.inf";

// The packages of the last build that are in output\: Build writes
// setup.inf, and the package script makes one cabinet per target from it.
std::vector<install_tool::BuiltPackage> BuiltPackages() {
  std::vector<install_tool::BuiltPackage> present;
  const std::optional<std::string> setup = support::ReadWholeFile(std::string(kSetupFile));
  if (!setup) return present;
  try {
    for (install_tool::BuiltPackage& package : install_tool::PackagesOfSetup(*setup, kSetupFile)) {
      const std::string path = "output\\" + package.name;
      if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) present.push_back(std::move(package));
    }
  } catch (const package_tool::PackageError&) {
    // A setup file the package tool refused made no package.
  }
  return present;
}

int Report(int exitCode, const std::string& message, UINT icon) {
  std::printf("%s\n", message.c_str());
  std::fflush(stdout);
  MessageBoxA(nullptr, message.c_str(), kCaption, MB_OK | icon);
  return exitCode;
}

}  // namespace

int main() {
  const std::vector<install_tool::BuiltPackage> packages = BuiltPackages();
  if (packages.empty()) {
    return Report(2, "There is no package in the output folder. Build the project first.", MB_ICONEXCLAMATION);
  }
  support::RemoteApi device;
  if (FAILED(device.Connect())) {
    return Report(3, "No device is connected. Connect the device over ActiveSync and try again.", MB_ICONEXCLAMATION);
  }
  const DWORD processor = device.ProcessorType();
  if (processor == 0) {
    return Report(4, "The device did not tell its processor. Nothing was sent.", MB_ICONEXCLAMATION);
  }
  const auto package = install_tool::PackageFor(packages, processor);
  if (!package) {
    return Report(5, "There is no package for this device's processor (" + std::to_string(processor) +
                         ") in the output folder. Nothing was sent.", MB_ICONEXCLAMATION);
  }
  const std::wstring devicePath = install_tool::DevicePackagePath(*package);
  if (!device.CopyToDevice("output\\" + *package, devicePath)) {
    return Report(4, "The package " + *package + " could not be copied to the device.", MB_ICONEXCLAMATION);
  }
  if (!device.StartOnDevice(L"wceload.exe", install_tool::InstallerCommandLine(devicePath))) {
    return Report(4, "The device's installer could not be started.", MB_ICONEXCLAMATION);
  }
  std::printf("%s sent to the device (processor %lu); its installer is running.\n", package->c_str(),
              static_cast<unsigned long>(processor));
  return 0;
}
