#pragma once
#include <windows.h>

#include <string>

namespace install_tool {

// The device connected over the Remote API (rapi.dll, bound at run time).
class DeviceLink {
 public:
  DeviceLink();
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Waits up to the time-out for the connection; false without a device.
  bool Connect(DWORD timeoutMs);
  // Copies a desktop file to a device path; false on any failure.
  bool SendFile(const std::string& localPath, const std::wstring& devicePath);
  // Starts a program on the device; false when it could not be started.
  bool Start(const std::wstring& program, const std::wstring& commandLine);

 private:
  HMODULE library_ = nullptr;
  bool connected_ = false;
};

}  // namespace install_tool
