#include "device/kiosk_engine/application_start.h"

#include "device/ce_platform.h"

namespace device::kiosk_engine {

StartedApplication StartApplication(const Launch& launch) {
  if (!launch.Whole() || launch.path.Size() == 0) return {};
  // CreateProcessW may write into the command line: a copy of its own.
  wchar_t commandLine[kSettingTextSize] = {};
  for (std::size_t i = 0; i < launch.params.Size(); ++i) commandLine[i] = launch.params.Get()[i];
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(launch.path.Get(), commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, StartupInfo(),
                      &process))
    return {};
  CloseHandle(process.hThread);
  return {process.hProcess, process.dwProcessId};
}

}  // namespace device::kiosk_engine
