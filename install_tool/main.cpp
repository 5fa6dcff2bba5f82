// bcinstall: run by installsetup.bat in the builder's folder. Sends the newest
// package of output\ to the connected device and starts its installer there.
// Exit codes: 0 sent, 2 no package, 3 no device, 4 the transfer or start failed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "install_tool/package_choice.h"
#include "support/remote_api.h"

namespace {

constexpr const char* kCaption = "Brindlecove Install";

std::vector<install_tool::PackageFile> OutputFolderFiles() {
  std::vector<install_tool::PackageFile> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("output\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const uint64_t modified =
        (uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) | found.ftLastWriteTime.dwLowDateTime;
    files.push_back({found.cFileName, modified});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

int Report(int exitCode, const std::string& message, UINT icon) {
  std::printf("%s\n", message.c_str());
  std::fflush(stdout);
  MessageBoxA(nullptr, message.c_str(), kCaption, MB_OK | icon);
  return exitCode;
}

}  // namespace

int main() {
  const auto package = install_tool::NewestPackage(OutputFolderFiles());
  if (!package) {
    return Report(2, "There is no package in the output folder. Build the project first.", MB_ICONEXCLAMATION);
  }
  support::RemoteApi device;
  if (FAILED(device.Connect())) {
    return Report(3, "No device is connected. Connect the device over ActiveSync and try again.", MB_ICONEXCLAMATION);
  }
  const std::wstring devicePath = install_tool::DevicePackagePath(*package);
  if (!device.CopyToDevice("output\\" + *package, devicePath)) {
    return Report(4, "The package " + *package + " could not be copied to the device.", MB_ICONEXCLAMATION);
  }
  if (!device.StartOnDevice(L"wceload.exe", install_tool::InstallerCommandLine(devicePath))) {
    return Report(4, "The device's installer could not be started.", MB_ICONEXCLAMATION);
  }
  std::printf("%s sent to the device; its installer is running.\n", package->c_str());
  return 0;
}
