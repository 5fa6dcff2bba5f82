#pragma once
// What the device's Remote API service does with one request: load a library
// from \Windows and call its block-mode export, or work on the device's files
// and processes. Every call is written to the call log, when there is one.
#include <windows.h>

#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "standins/emulated_device/device_processor.h"
#include "standins/rapi_wire/wire_format.h"
#include "support/critical_section.h"

namespace standins::emulated_device {

struct DeviceSettings {
  std::wstring callLog;  // empty: no log
  bool denyAll = false;  // the security policy: every call is refused
};

class DeviceCalls {
 public:
  explicit DeviceCalls(DeviceSettings settings) : settings_(std::move(settings)) {}

  // The response, or nothing when the device is unplugged and the connection
  // is to be dropped without an answer.
  std::optional<rapi_wire::Response> Handle(const rapi_wire::Bytes& request);

 private:
  rapi_wire::Response Invoke(rapi_wire::Reader& fields);
  rapi_wire::Response OpenFile(rapi_wire::Reader& fields);
  rapi_wire::Response WriteToFile(rapi_wire::Reader& fields);
  rapi_wire::Response CloseDeviceHandle(rapi_wire::Reader& fields);
  rapi_wire::Response StartProcess(rapi_wire::Reader& fields);
  rapi_wire::Response SystemInfo();

  bool PolicyDenies() const;
  // Handles given out to the desktop; any other value is refused.
  uint64_t Keep(HANDLE handle);
  HANDLE Known(uint64_t value);
  bool Forget(uint64_t value);
  void Log(const std::string& line);

  DeviceSettings settings_;
  support::CriticalSection mutex_;
  std::set<uint64_t> handles_;
};

// The device's marker files in its Windows folder.
// Present: the security policy refuses every call.
inline constexpr wchar_t kDenyAllMarker[] = L"rapi-deny-all";
// Present: the device is unplugged; every connection is dropped unanswered.
inline constexpr wchar_t kUnpluggedMarker[] = L"rapi-unplugged";

}  // namespace standins::emulated_device
